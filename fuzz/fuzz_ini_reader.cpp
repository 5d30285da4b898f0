// The INI reader on any bytes: they come back unchanged, every read returns,
// a value the service agrees to write reads back exactly, in memory and from
// the bytes, and a deleted section is gone.

#include "persistence/ini_file.h"
#include "persistence/text_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

void check(bool property) {
    if (!property) {
        __builtin_trap();
    }
}

const char* const kKeys[] = {"Version", "Text1", "Back", "", "x", "Button1"};

// Text as a line of the file decodes, or raw UTF-16 units, lone surrogates
// included.
QString someText(FuzzedDataProvider& data) {
    const std::string bytes = data.ConsumeRandomLengthString(32);
    if (data.ConsumeBool()) {
        return decodeText(QByteArray::fromStdString(bytes));
    }
    QString text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

QString trimmedName(const QString& name) {
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == u' ') {
        ++begin;
    }
    while (end > begin && name[end - 1] == u' ') {
        --end;
    }
    return name.sliced(begin, end - begin);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    IniFile file = IniFile::fromBytes(input);
    check(file.toBytes() == input);

    const QStringList sections = file.sectionNames();
    for (qsizetype i = 0; i < sections.size() && i < 16; ++i) {
        for (const char* key : kKeys) {
            const std::optional<QString> value = file.value(sections[i], key);
            check(file.readString(sections[i], key, "none") == value.value_or("none"));
            file.readProfileInt(sections[i], key, -1);
        }
    }

    FuzzedDataProvider data(bytes, size);
    const QString section =
        !sections.isEmpty() && data.ConsumeBool()
            ? sections[data.ConsumeIntegralInRange<qsizetype>(0, sections.size() - 1)]
            : someText(data);
    const QString key =
        data.ConsumeBool()
            ? QString::fromLatin1(
                  kKeys[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)])
            : someText(data);
    const QString value = someText(data);

    if (file.write(section, key, value)) {
        check(file.value(section, key) == value);
        const IniFile reread = IniFile::fromBytes(file.toBytes());
        check(reread.value(section, key) == value);
        check(reread.sectionNames() == file.sectionNames());
    } else {
        check(file.toBytes() == input);
    }

    file.deleteSection(section);
    check(!file.value(section, key));
    const QString name = trimmedName(section);
    for (const QString& left : file.sectionNames()) {
        check(QString::compare(left, name, Qt::CaseInsensitive) != 0);
    }
    check(IniFile::fromBytes(file.toBytes()).sectionNames() == file.sectionNames());
    return 0;
}
