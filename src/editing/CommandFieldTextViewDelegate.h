#pragma once

#include "TextViewCompletionDelegate.h"

#include <functional>

// The command field's delegate: besides completing, Return confirms the editor instead of starting a
// new line.
class CommandFieldTextViewDelegate : public TextViewCompletionDelegate {
    Q_OBJECT
public:
    explicit CommandFieldTextViewDelegate(std::function<void()> confirm, QObject* parent = nullptr);

    bool doCommand(TextViewWithCompletion& view, const char* command) override;

private:
    std::function<void()> m_confirm;
};
