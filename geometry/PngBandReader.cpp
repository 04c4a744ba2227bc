#include "PngBandReader.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <system_error>

// The decoder's handles, and the callbacks through which it reaches the reader. An error
// leaves the decoder by a long jump back to PngBandReader::decode, so the callbacks hold
// nothing with a destructor when they raise one.
struct PngBandReader::Decoder
{
    png_structp png = nullptr;
    png_infop info = nullptr;

    ~Decoder() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }

    static void error(png_structp png, png_const_charp message)
    {
        static_cast<PngBandReader *>(png_get_error_ptr(png))->fail(QString::fromLatin1(message));
        png_longjmp(png, 1);
    }
    static void warning(png_structp, png_const_charp) {}
    static void read(png_structp png, png_bytep data, size_t count)
    {
        auto *reader = static_cast<PngBandReader *>(png_get_io_ptr(png));
        if (reader->fill(reinterpret_cast<char *>(data), qsizetype(count)) != qsizetype(count))
            png_error(png,
                      reader->m_ioFailed ? "the file could not be read" : "the file ends early");
    }
};

namespace {

// A whole stored row or column, as a weight.
constexpr qint64 kUnit = 256;
// Bytes asked of the source at a time.
constexpr qint64 kBlock = qint64(1) << 16;
// Decoded bytes in a band, and bands in flight: enough that neither thread waits long for
// the other, little beside the picture.
constexpr qsizetype kBandBytes = qsizetype(1) << 20;
constexpr int kBands = 3;

// Where the edges of `to` equal cells over `from` stored pixels fall, in kUnit a pixel. The
// last edge is exactly at the end, so every stored pixel gives its whole weight.
std::vector<qint64> edgesOf(int from, int to)
{
    std::vector<qint64> edges(size_t(to) + 1);
    for (int i = 0; i <= to; ++i)
        edges[size_t(i)] = qint64(i) * from * kUnit / to;
    return edges;
}

} // namespace

PngBandReader::PngBandReader(Source source) : m_source(std::move(source)) {}

PngBandReader::~PngBandReader()
{
    stopReducing();
}

bool PngBandReader::reduces(QSize stored, QSize size)
{
    if (size.isEmpty() || size.width() >= stored.width() || size.height() >= stored.height())
        return false;
    // A column's sums are 32-bit: at most 255 x kUnit a stored row, 65535 rows an output
    // row. An output pixel's sum is 64-bit.
    const qint64 rows = (qint64(stored.height()) + size.height() - 1) / size.height();
    const qint64 columns = (qint64(stored.width()) + size.width() - 1) / size.width();
    return rows < 65536 && rows * columns < (qint64(1) << 32);
}

QImage PngBandReader::read(QSize size)
{
    m_error.clear();
    m_ioFailed = false;
    Decoder decoder;
    decoder.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, this, &Decoder::error, &Decoder::warning);
    if (decoder.png)
        decoder.info = png_create_info_struct(decoder.png);
    m_picture = QImage(size, QImage::Format_RGB32);
    if (!decoder.info || m_picture.isNull()) {
        fail(QStringLiteral("out of memory"));
        return QImage();
    }
    png_set_read_fn(decoder.png, this, &Decoder::read);
    const bool decoded = decode(&decoder);
    stopReducing();
    m_buffer = QByteArray();
    m_bands = {};
    m_empty.clear();
    m_waiting.clear();
    m_sums = {};
    m_nextSums = {};
    QImage picture;
    std::swap(picture, m_picture);
    return decoded ? picture : QImage();
}

void PngBandReader::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

qsizetype PngBandReader::fill(char *data, qsizetype count)
{
    qsizetype done = 0;
    while (done < count) {
        if (m_taken == m_buffer.size()) {
            m_buffer.resize(0);
            m_taken = 0;
            if (!m_source(kBlock, &m_buffer)) {
                m_ioFailed = true;
                break;
            }
            if (m_buffer.isEmpty())
                break;
        }
        const qsizetype part = std::min(count - done, m_buffer.size() - m_taken);
        std::memcpy(data + done, m_buffer.constData() + m_taken, size_t(part));
        m_taken += part;
        done += part;
    }
    return done;
}

// Everything the decoder may jump out of happens here, where only plain values live on the
// stack; what outlives the jump belongs to the reader.
bool PngBandReader::decode(Decoder *decoder)
{
    png_structp png = decoder->png;
    png_infop info = decoder->info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    // The metadata is read elsewhere; text and profiles would only be inflated here.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, type = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &type, &interlace, nullptr, nullptr);
    if (interlace != PNG_INTERLACE_NONE)
        png_error(png, "an interlaced picture cannot be read a row at a time");
    m_stored = QSize(int(width), int(height));
    if (!reduces(m_stored, m_picture.size()))
        png_error(png, "the picture cannot be reduced to the size asked for");
    // To bytes red, green, blue: the alpha channel goes, its colours stay.
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (depth == 16)
        png_set_scale_16(png);
    // Alpha from a colour type or from a transparency chunk.
    png_set_strip_alpha(png);
    if ((type & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 3)
        png_error(png, "unexpected row layout");

    prepare();
    for (png_uint_32 y = 0; y < height;) {
        uchar *band = emptyBand();
        const int rows = int(std::min<png_uint_32>(png_uint_32(m_bandRows), height - y));
        for (int row = 0; row < rows; ++row)
            png_read_row(png, band + size_t(row) * m_rowBytes, nullptr);
        handOver(band, rows);
        y += png_uint_32(rows);
    }
    // The rest of the stream is checked too: its checksums, and that it ends.
    png_read_end(png, nullptr);
    return true;
}

void PngBandReader::prepare()
{
    const int columns = m_stored.width();
    const int outputs = m_picture.width();
    m_rowBytes = size_t(columns) * 3;
    m_sums.assign(m_rowBytes, 0);
    m_nextSums.assign(m_rowBytes, 0);
    m_rowEdges = edgesOf(m_stored.height(), m_picture.height());
    m_columnEdges = edgesOf(columns, outputs);
    m_firstColumn.assign(size_t(outputs), 0);
    m_firstWeight.assign(size_t(outputs) + 1, 0);
    m_columnWeights.clear();
    m_columnWeights.reserve(size_t(columns) + size_t(outputs));
    for (int i = 0; i < outputs; ++i) {
        const qint64 left = m_columnEdges[size_t(i)];
        const qint64 right = m_columnEdges[size_t(i) + 1];
        m_firstColumn[size_t(i)] = int(left / kUnit);
        m_firstWeight[size_t(i)] = int(m_columnWeights.size());
        for (qint64 at = left / kUnit * kUnit; at < right; at += kUnit)
            m_columnWeights.push_back(quint16(std::min(right, at + kUnit) - std::max(left, at)));
    }
    m_firstWeight[size_t(outputs)] = int(m_columnWeights.size());
    m_storedRow = 0;
    m_outputRow = 0;

    m_bandRows =
        int(std::clamp<qsizetype>(kBandBytes / qsizetype(m_rowBytes), 1, m_stored.height()));
    m_bands.assign(kBands, std::vector<uchar>(m_rowBytes * size_t(m_bandRows)));
    m_empty.clear();
    m_waiting.clear();
    for (std::vector<uchar> &band : m_bands)
        m_empty.push_back(band.data());
    m_lastBand = false;
    // A thread of its own, not one from a pool: the decoder waits for it to free bands, and
    // a pool whose threads all decode would never start it. Without one, the bands are
    // reduced where they are decoded.
    try {
        m_reducer = std::thread([this] { reduceBands(true); });
    } catch (const std::system_error &) {
    }
}

uchar *PngBandReader::emptyBand()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return !m_empty.empty(); });
    uchar *band = m_empty.front();
    m_empty.pop_front();
    return band;
}

void PngBandReader::handOver(uchar *band, int rows)
{
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_waiting.emplace_back(band, rows);
    }
    m_changed.notify_all();
    if (!m_reducer.joinable())
        reduceBands(false);
}

void PngBandReader::stopReducing()
{
    if (!m_reducer.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_lastBand = true;
    }
    m_changed.notify_all();
    m_reducer.join();
}

void PngBandReader::reduceBands(bool untilLast)
{
    for (;;) {
        std::pair<uchar *, int> band;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_changed.wait(lock, [&] { return !m_waiting.empty() || m_lastBand || !untilLast; });
            if (m_waiting.empty())
                return;
            band = m_waiting.front();
            m_waiting.pop_front();
        }
        for (int row = 0; row < band.second; ++row)
            addRow(band.first + size_t(row) * m_rowBytes);
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_empty.push_back(band.first);
        }
        m_changed.notify_all();
    }
}

void PngBandReader::addRow(const uchar *row)
{
    const qint64 top = qint64(m_storedRow) * kUnit;
    const qint64 edge = m_rowEdges[size_t(m_outputRow) + 1];
    const quint32 here = quint32(std::min(top + kUnit, edge) - top);
    const quint32 next = quint32(kUnit) - here;
    const size_t count = m_rowBytes;
    quint32 *__restrict sums = m_sums.data();
    if (next == 0) {
        for (size_t k = 0; k < count; ++k)
            sums[k] += quint32(row[k]) * quint32(kUnit);
    } else {
        quint32 *__restrict nextSums = m_nextSums.data();
        for (size_t k = 0; k < count; ++k) {
            sums[k] += here * row[k];
            nextSums[k] += next * row[k];
        }
    }
    ++m_storedRow;
    if (top + kUnit >= edge) {
        finishRow();
        std::swap(m_sums, m_nextSums);
        std::fill(m_nextSums.begin(), m_nextSums.end(), 0);
        ++m_outputRow;
    }
}

void PngBandReader::finishRow()
{
    const double rowWeight =
        double(m_rowEdges[size_t(m_outputRow) + 1] - m_rowEdges[size_t(m_outputRow)]);
    uchar *out = m_picture.scanLine(m_outputRow);
    const quint32 *sums = m_sums.data();
    const quint16 *weights = m_columnWeights.data();
    for (int i = 0; i < m_picture.width(); ++i) {
        const quint32 *p = sums + size_t(m_firstColumn[size_t(i)]) * 3;
        quint64 red = 0, green = 0, blue = 0;
        for (int k = m_firstWeight[size_t(i)]; k < m_firstWeight[size_t(i) + 1]; ++k, p += 3) {
            const quint64 w = weights[k];
            red += w * p[0];
            green += w * p[1];
            blue += w * p[2];
        }
        const double scale =
            1.0 / (rowWeight * double(m_columnEdges[size_t(i) + 1] - m_columnEdges[size_t(i)]));
        out[4 * i] = uchar(double(blue) * scale + 0.5);
        out[4 * i + 1] = uchar(double(green) * scale + 0.5);
        out[4 * i + 2] = uchar(double(red) * scale + 0.5);
        out[4 * i + 3] = 0xFF;
    }
}
