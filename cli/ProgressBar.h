#ifndef VELMORA_CLI_PROGRESSBAR_H
#define VELMORA_CLI_PROGRESSBAR_H

#include <cstdio>
#include <mutex>

// A one-line progress bar on a terminal, shared by the worker threads; error lines
// printed through it do not tear the bar. The bar shows only for more than one input and
// only when the stream is a terminal: piped or redirected output gets the lines alone.
class ProgressBar
{
public:
    explicit ProgressBar(int total, std::FILE *stream = stderr);

    void advance();
    void message(const char *line);
    void finish();

private:
    void draw();
    void clear();

    std::mutex m_mutex;
    std::FILE *m_stream;
    const int m_total;
    int m_done = 0;
    const bool m_visible;
};

#endif
