#pragma once

#include "ContentLine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One component of an iCalendar file (BEGIN:NAME ... END:NAME): its property lines and child components in
// file order. Lines read from a file keep their bytes (folding, line endings, invalid UTF-8) until they are
// changed, so that whatever the program does not touch is written back exactly as it was read. New and
// changed lines are written folded with CRLF. Names are compared without case.
class IcsComponent {
public:
    explicit IcsComponent(const QString& name); // a new, empty component
    IcsComponent(const IcsComponent& other);
    IcsComponent& operator=(const IcsComponent& other);
    IcsComponent(IcsComponent&&) noexcept = default;
    IcsComponent& operator=(IcsComponent&&) noexcept = default;
    ~IcsComponent();

    QString name() const { return m_name; }
    bool hasName(QStringView name) const;

    std::optional<ContentLine> property(QStringView name) const; // the first of that name
    QList<ContentLine> properties(QStringView name) const;
    // Replaces the first property of the line's name where it stands (an equal line keeps its old bytes),
    // or adds the line.
    void setProperty(const ContentLine& line);
    // After the last property of the same name, else after the other properties, before any child.
    void addProperty(const ContentLine& line);
    // Replaces each property of that name where it stands with what `change` makes of it (an equal line
    // keeps its old bytes).
    void replaceProperties(QStringView name, const std::function<ContentLine(const ContentLine&)>& change);
    // Removes the properties of that name that `which` accepts (all without `which`); returns how many.
    int removeProperties(QStringView name, const std::function<bool(const ContentLine&)>& which = {});

    // The direct children of that name, or all of them for an empty name.
    QList<IcsComponent*> children(QStringView name = {});
    // Inserts before the child `before`, or after the last entry when it is null; returns the stored child.
    IcsComponent& addChild(IcsComponent child, const IcsComponent* before = nullptr);
    // Removes the direct children of that name; returns how many.
    int removeChildren(QStringView name);
    // Removes `descendant` wherever it is below this component; false when it is not there.
    bool remove(const IcsComponent* descendant);

private:
    friend class IcsDocument;

    struct Line {
        QByteArray original;                // as read, folded, with its line ending; empty when written anew
        std::optional<ContentLine> content; // absent for text that is not a content line
    };
    // Either a line or a child.
    struct Entry {
        Line line;
        std::unique_ptr<IcsComponent> child;

        bool isProperty(QStringView name) const {
            return !child && line.content && line.content->hasName(name);
        }
    };

    IcsComponent() = default; // the top level of a document: no BEGIN and END lines

    qsizetype indexOfProperty(QStringView name) const;
    qsizetype indexOfFirstChild() const;
    void appendTo(QByteArray& out) const;
    static void appendLine(QByteArray& out, const Line& line);

    QString m_name;
    Line m_begin;
    Line m_end; // empty when the file ended before the END line
    std::vector<Entry> m_entries;
};
