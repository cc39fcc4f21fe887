#include "document/message_text.h"

#include "core/message/translate_noop.h"

#include <QCoreApplication>
#include <QStringList>

QString translatedText(const orvo::Message& message)
{
    if (message.kind == orvo::MessageKind::Word && !message.args.empty())
        return translatedWord(message.args.front().text);
    std::vector<std::string> args;
    args.reserve(message.args.size());
    for (const orvo::MessageArg& arg : message.args)
        args.push_back(arg.message ? translatedText(*arg.message).toStdString() : arg.text);
    const QString pattern =
        QCoreApplication::translate(orvo::kMessageContext, orvo::messagePattern(message.kind));
    return QString::fromStdString(orvo::fillPattern(pattern.toStdString(), args));
}

QString translatedText(const std::vector<orvo::Message>& messages, const QString& separator)
{
    QStringList lines;
    for (const orvo::Message& message : messages)
        lines << translatedText(message);
    return lines.join(separator);
}

QString translatedWord(const std::string& word)
{
    return QCoreApplication::translate(orvo::kMessageContext, word.c_str());
}
