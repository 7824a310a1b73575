#include "UndoManager.h"

#include "InternalInconsistency.h"

#include <QScopeGuard>
#include <QTimer>

UndoManager::UndoManager(QObject* parent) : QObject(parent) {}

void UndoManager::registerUndo(Action action, Check check) {
    if (m_state == State::Normal) {
        if (!m_open) {
            m_open = Group{};
            QTimer::singleShot(0, this, &UndoManager::closeAutomaticGroup);
        }
        m_redoStack.clear();
    }
    m_open->actions.append(std::move(action));
    if (check)
        m_open->checks.append(std::move(check));
    emit changed();
}

void UndoManager::beginUndoGrouping() {
    if (m_state == State::Normal && m_depth == 0) {
        closeGroup();
        m_open = Group{};
    }
    ++m_depth;
}

void UndoManager::endUndoGrouping() {
    VL_ASSERT(m_depth > 0, QStringLiteral("endUndoGrouping without beginUndoGrouping"));
    if (--m_depth == 0 && m_state == State::Normal)
        closeGroup();
}

void UndoManager::setActionName(const QString& name) {
    if (m_open)
        m_open->name = name;
    else if (!m_undoStack.isEmpty())
        m_undoStack.last().name = name;
    emit changed();
}

QString UndoManager::undoActionName() const {
    if (const Group* pending = pendingGroup())
        return pending->name;
    return m_undoStack.isEmpty() ? QString() : m_undoStack.last().name;
}

QString UndoManager::redoActionName() const {
    return m_redoStack.isEmpty() ? QString() : m_redoStack.last().name;
}

bool UndoManager::canUndo() const {
    return pendingGroup() || !m_undoStack.isEmpty();
}

void UndoManager::undo() {
    if (run(m_undoStack, m_redoStack, State::Undoing))
        emit didUndo();
}

void UndoManager::redo() {
    if (run(m_redoStack, m_undoStack, State::Redoing))
        emit didRedo();
}

const UndoManager::Group* UndoManager::pendingGroup() const {
    return m_state == State::Normal && m_open && !m_open->actions.isEmpty() ? &*m_open : nullptr;
}

void UndoManager::closeGroup() {
    if (m_open && !m_open->actions.isEmpty())
        m_undoStack.append(std::move(*m_open));
    m_open.reset();
    emit changed();
}

void UndoManager::closeAutomaticGroup() {
    if (m_state == State::Normal && m_depth == 0 && m_open)
        closeGroup();
}

bool UndoManager::run(QList<Group>& from, QList<Group>& to, State state) {
    VL_ASSERT(m_state == State::Normal && m_depth == 0, QStringLiteral("undo or redo inside an undo group"));
    closeAutomaticGroup();
    if (from.isEmpty() || !mayRun(from.last(), state))
        return false;
    const Group group = from.takeLast();
    m_state = state;
    m_open = Group{group.name, {}, {}};
    const auto finish = qScopeGuard([this, &to] {
        m_state = State::Normal;
        m_depth = 0;
        if (!m_open->actions.isEmpty())
            to.append(std::move(*m_open));
        m_open.reset();
        emit changed();
    });
    for (auto action = group.actions.crbegin(); action != group.actions.crend(); ++action)
        (*action)();
    return true;
}

bool UndoManager::mayRun(const Group& group, State state) const {
    QStringList changed;
    for (const Check& check : group.checks)
        if (const std::optional<QString> name = check())
            changed.append(*name);
    changed.removeDuplicates(); // an event changed twice in one step is named once
    return changed.isEmpty() || (m_conflictQuestion && m_conflictQuestion(changed, state == State::Undoing));
}
