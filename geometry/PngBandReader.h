#ifndef VELMORA_GEOMETRY_PNGBANDREADER_H
#define VELMORA_GEOMETRY_PNGBANDREADER_H

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Decodes a PNG a row at a time and reduces the rows as they arrive, by area averaging, into a
// smaller picture in the engine's layout (Format_RGB32). Only that picture, two rows of sums
// and a few bands of decoded rows are held, whatever the stored size. Decoding (inflating and
// unfiltering) costs most; a second thread reduces one band while the next is decoded. The pixels
// come as the whole decode gives them: grey, palette and 16-bit files in 8-bit colour, alpha
// dropped with the colour kept. Ancillary chunks are skipped unread (metadata is read elsewhere),
// and interlaced files are not read: their rows arrive in seven passes over the whole picture.
class PngBandReader
{
public:
    // Appends up to `count` more bytes of the file to *into (fewer at its end); false on an
    // I/O error.
    using Source = std::function<bool(qint64 count, QByteArray *into)>;

    explicit PngBandReader(Source source);
    ~PngBandReader();

    PngBandReader(const PngBandReader &) = delete;
    PngBandReader &operator=(const PngBandReader &) = delete;

    // Whether a stored picture can be reduced to `size` here: smaller both ways, and not by
    // so much that a column's sums could overflow.
    static bool reduces(QSize stored, QSize size);

    // The file's picture reduced to `size`; null on failure, with errorString() saying why.
    QImage read(QSize size);
    QString errorString() const { return m_error; }

private:
    struct Decoder;

    bool decode(Decoder *decoder);
    void fail(const QString &message);
    qsizetype fill(char *data, qsizetype count);
    void prepare();
    uchar *emptyBand();
    void handOver(uchar *band, int rows);
    void stopReducing();
    // Reduces the bands handed over: until the last one, or those waiting now.
    void reduceBands(bool untilLast);
    void addRow(const uchar *row);
    void finishRow();

    Source m_source;
    QByteArray m_buffer;
    qsizetype m_taken = 0;
    bool m_ioFailed = false;
    QString m_error;

    QSize m_stored;
    QImage m_picture;
    // Bands of decoded rows (red, green, blue bytes), each empty or waiting to be reduced.
    size_t m_rowBytes = 0;
    int m_bandRows = 0;
    std::vector<std::vector<uchar>> m_bands;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<uchar *> m_empty;
    std::deque<std::pair<uchar *, int>> m_waiting;
    bool m_lastBand = false;
    std::thread m_reducer;
    // Column sums of the output row being made and of the next, in 1/256 of a row each.
    std::vector<quint32> m_sums, m_nextSums;
    // Where output row and column edges fall, in 1/256 of a stored row or column.
    std::vector<qint64> m_rowEdges, m_columnEdges;
    // For output column i, the stored columns m_firstColumn[i] on, with their weights from
    // m_columnWeights[m_firstWeight[i]] up to m_firstWeight[i + 1].
    std::vector<int> m_firstColumn, m_firstWeight;
    std::vector<quint16> m_columnWeights;
    int m_storedRow = 0;
    int m_outputRow = 0;
};

#endif
