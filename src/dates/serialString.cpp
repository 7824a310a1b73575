#include "serialString.h"

#include "base/InternalInconsistency.h"

#include <algorithm>

QString serialString(const QStringList& items) {
    switch (items.size()) {
    case 0:
        return QString();
    case 1:
        return items.first();
    default:
        return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
               items.last();
    }
}

QString serialString(const QList<int>& numbers) {
    QStringList items;
    items.reserve(numbers.size());
    for (int number : numbers)
        items.append(QString::number(number));
    return serialString(items);
}

namespace {
void checkNumber(const QStringList& names, int number, const char* failureText) {
    VL_ASSERT(number >= 1 && number <= names.size(),
              QString::fromUtf8(failureText).replace(QStringLiteral("%d"), QString::number(number)));
}
} // namespace

QString serialStringOfNumberedNames(const QStringList& names, const QList<int>& numbers,
                                    const char* failureText) {
    QList<int> sorted = numbers;
    for (int number : sorted)
        checkNumber(names, number, failureText);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    QStringList listed;
    listed.reserve(sorted.size());
    for (int number : sorted)
        listed.append(names.at(number - 1));
    return serialString(listed);
}

QString nameOfNumber(const QStringList& names, int number, const char* failureText) {
    checkNumber(names, number, failureText);
    return names.at(number - 1);
}
