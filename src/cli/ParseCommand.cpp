#include "ParseCommand.h"

#include "CommandOutput.h"
#include "EntryLineAnswer.h"
#include "LineReader.h"
#include "ParseOptions.h"
#include "base/InternalInconsistency.h"

int ParseCommand::run(const QStringList& arguments, std::FILE* input, std::FILE* output, std::FILE* errors) {
    QString error;
    const std::optional<ParseOptions> options = ParseOptions::read(arguments, error);
    if (!options)
        return CommandOutput::fail(errors, "parse", error, 2);
    try {
        EntryLineAnswer answers(*options);
        if (options->line != u"-") {
            const EntryLineAnswer::Answer answer = answers.answer(options->line);
            CommandOutput::write(output, answer.json);
            return answer.understood ? 0 : 1;
        }
        // One answer per line, flushed only when the input has no further line ready (see LineReader).
        LineReader reader(fileno(input), output);
        QByteArray line;
        while (reader.next(line)) {
            const QByteArray json = answers.answer(QString::fromUtf8(line)).json;
            std::fwrite(json.constData(), 1, size_t(json.size()), output);
        }
        std::fflush(output);
        return 0;
    } catch (const InternalInconsistency& failure) {
        return CommandOutput::fail(errors, "parse", QStringLiteral("internal error: %1").arg(failure.what()),
                                   70);
    }
}
