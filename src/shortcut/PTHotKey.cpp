#include "PTHotKey.h"

void PTHotKey::invoke() {
    if (m_action)
        m_action(*this);
}
