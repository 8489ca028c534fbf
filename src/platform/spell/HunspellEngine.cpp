#include "platform/spell/HunspellEngine.h"

#include "platform/spell/HunspellDictionaries.h"

#include <QFile>
#include <QFileInfo>

#include <hunspell.hxx>

namespace ferrowen {

namespace {

// Encoding names from affix files that Qt spells differently.
QByteArray qtEncodingName(QByteArray name)
{
    name = name.trimmed();
    const QByteArray lower = name.toLower();
    if (lower.startsWith("microsoft-cp"))
        return "windows-" + name.mid(12);
    if (lower.startsWith("iso8859-"))
        return "ISO-8859-" + name.mid(8);
    return name;
}

// A word file starts with the number of its words; anything else is not a
// dictionary Hunspell can use.
bool looksLikeWordFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray first = file.readLine(64).trimmed();
    // A byte order mark may come first.
    if (first.startsWith("\xEF\xBB\xBF"))
        first = first.mid(3);
    bool isNumber = false;
    first.split(' ').value(0).toInt(&isNumber);
    return isNumber;
}

} // namespace

HunspellEngine::HunspellEngine(QStringList folders)
    : m_folders(folders.isEmpty() ? hunspellDictionaryFolders() : std::move(folders))
{
}

HunspellEngine::~HunspellEngine() = default;

QStringList HunspellEngine::installedDictionaries() const
{
    return hunspellDictionariesIn(m_folders);
}

bool HunspellEngine::loadDictionary(const QString &path)
{
    const QString affix = affixFileOf(path);
    if (!QFileInfo(path).isReadable() || !QFileInfo(affix).isReadable() || !looksLikeWordFile(path))
        return false;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affix).constData(), QFile::encodeName(path).constData());
    QStringEncoder encoder(qtEncodingName(hunspell->get_dic_encoding()).constData());
    QStringDecoder decoder(qtEncodingName(hunspell->get_dic_encoding()).constData());
    if (!encoder.isValid() || !decoder.isValid())
        return false;
    m_hunspell = std::move(hunspell);
    m_encoder = std::move(encoder);
    m_decoder = std::move(decoder);
    m_dictionary = QFileInfo(path).absoluteFilePath();
    return true;
}

bool HunspellEngine::encode(const QString &word, std::string &out)
{
    const QByteArray bytes = m_encoder.encode(word);
    if (m_encoder.hasError()) {
        m_encoder.resetState();
        return false;
    }
    out.assign(bytes.constData(), size_t(bytes.size()));
    return true;
}

void HunspellEngine::addWord(const QString &word)
{
    std::string encoded;
    if (m_hunspell && encode(word, encoded))
        m_hunspell->add(encoded);
}

bool HunspellEngine::isCorrect(const QString &word)
{
    if (!m_hunspell)
        return true;
    std::string encoded;
    return encode(word, encoded) && m_hunspell->spell(encoded);
}

QStringList HunspellEngine::suggest(const QString &word)
{
    QStringList suggestions;
    std::string encoded;
    if (!m_hunspell || !encode(word, encoded))
        return suggestions;
    for (const std::string &suggestion : m_hunspell->suggest(encoded))
        suggestions << m_decoder.decode(QByteArrayView(suggestion.data(), qsizetype(suggestion.size())));
    return suggestions;
}

} // namespace ferrowen
