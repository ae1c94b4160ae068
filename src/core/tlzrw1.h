// SPDX-License-Identifier: MIT
// Tlzrw1: the compression component. It compresses a file into the LZRW1/KH stream form (an 8-byte
// header, then one coded block per 32768-byte piece) and decompresses that form and the older LZH
// form back, file to file. The in-memory functions do the same on byte arrays; the file operations
// are built on them. Failures raise CompressionError with the message the user sees; when a failure
// follows the creation of the output file, that file is removed first. The tally window owns one.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

namespace quibo {

class Tlzrw1 : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString InputFile READ inputFile WRITE setInputFile)
    Q_PROPERTY(QString OutputFile READ outputFile WRITE setOutputFile)
    Q_PROPERTY(TCompressMode CompressMode READ compressMode WRITE setCompressMode)
    Q_PROPERTY(bool UseStream READ useStream WRITE setUseStream)
    Q_PROPERTY(int Threshold READ threshold WRITE setThreshold)
public:
    // Only one coder exists; Good and Auto code exactly as Fast does.
    enum class TCompressMode { Good, Fast, Auto };
    Q_ENUM(TCompressMode)

    static constexpr quint32 lzrwIdentifier = 0x4C5A5257; // "WRZL" in the file
    static constexpr quint32 lzhIdentifier = 0x4C5A4821;  // "!HZL" in the file
    static constexpr int headerSize = 8;
    // An LZH stream decodes its stated length however short it is, so that length is bounded.
    static constexpr qint64 maxLzhLength = qint64(64) << 20;

    explicit Tlzrw1(QObject* parent = nullptr);

    QString inputFile() const { return m_inputFile; }
    void setInputFile(const QString& name) { m_inputFile = name; }
    QString outputFile() const { return m_outputFile; }
    void setOutputFile(const QString& name) { m_outputFile = name; }
    TCompressMode compressMode() const { return m_mode; }
    void setCompressMode(TCompressMode mode) { m_mode = mode; }
    bool useStream() const { return m_useStream; }
    void setUseStream(bool on) { m_useStream = on; }
    int threshold() const { return m_threshold; }
    void setThreshold(int percent) { m_threshold = percent; }

    // Compresses InputFile into OutputFile (replacing it); returns the bytes written.
    qint64 Compress();
    // Decompresses InputFile into OutputFile (replacing it); returns the bytes written.
    qint64 Decompress();
    // The mode to compress InputFile with; with one coder the answer is always Fast.
    TCompressMode Advise() const;

    // The whole compressed form of plain.
    static QByteArray compressBytes(QByteArrayView plain);
    // The plain content of a compressed form; inputName stands for the source in messages.
    static QByteArray decompressBytes(QByteArrayView packed, const QString& inputName = QString());

private:
    QString m_inputFile;
    QString m_outputFile;
    TCompressMode m_mode = TCompressMode::Fast;
    bool m_useStream = false;
    int m_threshold = 40;
};

} // namespace quibo
