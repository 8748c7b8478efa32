#include "VersionBlock.h"

#include <QStringList>

namespace {

constexpr qsizetype HeaderSize = 6; // wLength, wValueLength, wType
const QString RootKey = QStringLiteral("VS_VERSION_INFO");

qsizetype align4(qsizetype offset) {
    return (offset + 3) & ~qsizetype(3);
}

} // namespace

QString VersionBlock::Value::toString() const {
    QString s = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.left(nul);
}

VersionBlock::VersionBlock(QByteArray data) : m_data(std::move(data)) {
    const std::optional<Node> root = parseNode(0, m_data.size(), true);
    m_valid = root && root->key.compare(RootKey, Qt::CaseInsensitive) == 0;
}

quint16 VersionBlock::word(qsizetype at) const {
    return quint16(quint8(m_data[at]) | (quint8(m_data[at + 1]) << 8));
}

// One node: wLength, wValueLength, wType, the NUL-terminated UTF-16 key, padding, the value,
// padding, then the children up to wLength. Offsets align to 4 bytes from the block's start.
// The root's value is the fixed file information, binary whatever its type word says.
std::optional<VersionBlock::Node> VersionBlock::parseNode(qsizetype start, qsizetype limit, bool root) const {
    if (limit - start < HeaderSize)
        return std::nullopt;
    const qsizetype length = word(start);
    if (length < HeaderSize)
        return std::nullopt;
    Node n;
    n.start = start;
    n.end = qMin(start + length, limit); // a node cut short by its parent keeps what it has
    const qsizetype valueLength = word(start + 2);
    n.text = !root && word(start + 4) == 1;

    qsizetype at = start + HeaderSize;
    for (;; at += 2) {
        if (at + 2 > n.end)
            return std::nullopt; // unterminated key
        const char16_t c = word(at);
        if (c == 0)
            break;
        n.key.append(QChar(c));
    }
    n.valueStart = qMin(align4(at + 2), n.end);
    n.valueSize = qMin(n.text ? valueLength * 2 : valueLength, n.end - n.valueStart);
    n.childrenStart = qMin(align4(n.valueStart + n.valueSize), n.end);
    return n;
}

std::optional<VersionBlock::Node> VersionBlock::findChild(const Node& parent, const QString& key) const {
    qsizetype at = parent.childrenStart;
    while (at < parent.end) {
        const std::optional<Node> child = parseNode(at, parent.end);
        if (!child)
            return std::nullopt; // a broken node ends the list (and zero lengths cannot loop)
        if (child->key.compare(key, Qt::CaseInsensitive) == 0)
            return child;
        at = align4(child->end);
    }
    return std::nullopt;
}

std::optional<VersionBlock::Value> VersionBlock::query(const QString& path) const {
    if (!m_valid)
        return std::nullopt;
    std::optional<Node> node = parseNode(0, m_data.size(), true);
    for (const QString& key : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        node = findChild(*node, key);
        if (!node)
            return std::nullopt;
    }
    return Value{m_data.mid(node->valueStart, node->valueSize), node->text};
}
