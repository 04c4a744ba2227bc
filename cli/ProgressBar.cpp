#include "ProgressBar.h"

#include <unistd.h>

ProgressBar::ProgressBar(int total, std::FILE *stream)
    : m_stream(stream), m_total(total), m_visible(total > 1 && isatty(fileno(stream)))
{
    std::lock_guard<std::mutex> lock(m_mutex);
    draw();
}

void ProgressBar::advance()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_done;
    draw();
}

void ProgressBar::message(const char *line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    clear();
    std::fprintf(m_stream, "%s\n", line);
    draw();
}

void ProgressBar::finish()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    clear();
}

void ProgressBar::draw()
{
    if (!m_visible || m_total <= 0)
        return;
    constexpr int width = 30;
    const int filled = width * m_done / m_total;
    char bar[width + 1];
    for (int i = 0; i < width; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[width] = '\0';
    std::fprintf(m_stream, "\r[%s] %d/%d", bar, m_done, m_total);
    std::fflush(m_stream);
}

void ProgressBar::clear()
{
    if (m_visible)
        std::fputs("\r\033[K", m_stream);
}
