// A language file from any bytes: reading never fails, and the entries read, written out again as a language file,
// read back the same.
#include "FuzzSupport.h"
#include "lang/LanguageFile.h"
#include "store/TextCodec.h"

using namespace tallivor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LanguageFile file =
        parseLanguageFile(decodeDataFile(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
    check(!file.entries[0], "entry 0 is set");
    // The heading, a line per numbered entry (one without "=" where none is set), then the keyed entries.
    QString text = QStringLiteral("heading\r\n");
    for (int k = 1; k <= languageEntryCount; ++k)
        text += (file.entries[k] ? u'=' + *file.entries[k] : QStringLiteral("unset")) + QStringLiteral("\r\n");
    for (auto i = file.keyed.begin(); i != file.keyed.end(); ++i)
        text += i.key() + u'=' + i.value() + QStringLiteral("\r\n");
    const LanguageFile again = parseLanguageFile(decodeDataFile(encodeDataFile(text)));
    check(again.entries == file.entries && again.keyed == file.keyed, "an entry changed on the way through the file");
    check(again.lineCount == languageEntryCount + file.keyed.size(), "the line counter is not the lines written");
    return 0;
}
