#include "CommandFieldTextViewDelegate.h"

#include "base/Logger.h"

#include <cstring>

CommandFieldTextViewDelegate::CommandFieldTextViewDelegate(std::function<void()> confirm, QObject* parent)
    : TextViewCompletionDelegate(parent), m_confirm(std::move(confirm)) {}

bool CommandFieldTextViewDelegate::doCommand(TextViewWithCompletion&, const char* command) {
    if (std::strcmp(command, "insertNewline:") != 0)
        return false;
    VL_LOG(LACTIONS, Logger::LOG_INFO_LEVEL, QString());
    m_confirm();
    return true;
}
