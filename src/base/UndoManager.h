#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The application's one undo manager. The registrations of one user action form a named group; undoing a
// group runs its actions last registered first, and what they register meanwhile forms the group that
// redoes it (and the reverse). An action may come with a check of what it expects to find: the checks of a
// group are asked before any of its actions runs, so that a group runs whole or not at all.
class UndoManager : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void()>;
    // The name of what is no longer as the action expects (an event another program changed), or none.
    using Check = std::function<std::optional<QString>()>;
    // Asked with the names the failed checks gave, when undoing (else redoing): true runs the group all the
    // same, false leaves it where it is.
    using ConflictQuestion = std::function<bool(const QStringList& changed, bool undoing)>;

    explicit UndoManager(QObject* parent = nullptr);

    // Outside undo and redo a registration is a new user action and clears what could be redone. Outside an
    // explicit group, the registrations until the next pass of the event loop form one group.
    void registerUndo(Action action, Check check = {});
    // Without a question, a group whose checks fail does not run.
    void setConflictQuestion(ConflictQuestion question) { m_conflictQuestion = std::move(question); }
    // Groups nest; the registrations of inner groups belong to the outermost one.
    void beginUndoGrouping();
    void endUndoGrouping();
    // Names the group being collected, else the group that undo would run.
    void setActionName(const QString& name);

    QString undoActionName() const;
    QString redoActionName() const;
    bool canUndo() const;
    bool canRedo() const { return !m_redoStack.isEmpty(); }
    // Runs the last group. An action that throws ends it: the rest of that group is dropped.
    void undo();
    void redo();
    bool isUndoing() const { return m_state == State::Undoing; }

signals:
    void didUndo();
    void didRedo();
    void changed();

private:
    struct Group {
        QString name;
        QList<Action> actions;
        QList<Check> checks;
    };
    enum class State { Normal, Undoing, Redoing };

    const Group* pendingGroup() const;
    void closeGroup();
    void closeAutomaticGroup();
    bool run(QList<Group>& from, QList<Group>& to, State state);
    bool mayRun(const Group& group, State state) const;

    QList<Group> m_undoStack;
    QList<Group> m_redoStack;
    std::optional<Group> m_open; // collects registrations: of a user action, or of an undo or redo
    int m_depth = 0;             // explicit groups open; none while m_open is set: an automatic group
    State m_state = State::Normal;
    ConflictQuestion m_conflictQuestion;
};
