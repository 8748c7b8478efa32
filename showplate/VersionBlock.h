#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A VS_VERSIONINFO block and lookups of its values by path, the way VerQueryValue answers them:
// "\" is the fixed file information, "\VarFileInfo\Translation" the translation table,
// "\StringFileInfo\<lang><codepage>\<name>" one string. Keys compare case-insensitively.
class VersionBlock {
  public:
    struct Value {
        QByteArray bytes; // the value as stored (clamped to its node)
        bool text = false;
        QString toString() const; // read as UTF-16: the characters before the terminating NUL
    };

    VersionBlock() = default;
    // Takes the resource bytes; the block is valid when they begin with a VS_VERSION_INFO node.
    explicit VersionBlock(QByteArray data);

    bool isValid() const { return m_valid; }
    std::optional<Value> query(const QString& path) const;

  private:
    struct Node {
        qsizetype start = 0;
        qsizetype end = 0;
        QString key;
        qsizetype valueStart = 0;
        qsizetype valueSize = 0; // in bytes
        bool text = false;
        qsizetype childrenStart = 0;
    };

    std::optional<Node> parseNode(qsizetype start, qsizetype limit, bool root = false) const;
    std::optional<Node> findChild(const Node& parent, const QString& key) const;
    quint16 word(qsizetype at) const;

    QByteArray m_data;
    bool m_valid = false;
};
