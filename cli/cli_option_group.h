#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

#include "cli/cli_options.h"

namespace passcat {

// One group of options: its options, added to the parser and listed in the help
// under its title, and the reading of their values into the command. A feature with
// options of its own adds a group (see CliOptionGroups in cli_options.cpp).
struct CliOptionGroup {
    QString title;
    QList<QCommandLineOption> options;
    // Reads the group's values into command; the reason (without "Ошибка: ") when a
    // value means nothing.
    std::function<std::optional<QString>(const QCommandLineParser&, CliCommand&)> read;
};

// A value matched as people write it: any of a choice's names, in any case.
template <typename Value>
struct CliChoice {
    QStringList names; // the first is the one the help shows
    Value value;
};

template <typename Value>
std::optional<Value> MatchCliChoice(const QString& text, std::initializer_list<CliChoice<Value>> choices)
{
    for (const CliChoice<Value>& choice : choices) {
        for (const QString& name : choice.names) {
            if (text.compare(name, Qt::CaseInsensitive) == 0)
                return choice.value;
        }
    }
    return std::nullopt;
}

// "must a (a2) или b (b2), задано: text", must being e.g. "кодировка должна быть":
// the reason a value is refused, with every name it may take.
template <typename Value>
QString CliChoiceRefusal(const QString& must, const QString& text, std::initializer_list<CliChoice<Value>> choices)
{
    QStringList shown;
    for (const CliChoice<Value>& choice : choices) {
        const QStringList aliases = choice.names.mid(1);
        shown << (aliases.isEmpty() ? choice.names.front()
                                    : QStringLiteral("%1 (%2)").arg(choice.names.front(), aliases.join(", ")));
    }
    const QString last = shown.takeLast();
    return QStringLiteral("%1 %2 или %3, задано: %4").arg(must, shown.join(", "), last, text);
}

} // namespace passcat
