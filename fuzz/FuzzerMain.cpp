// One libFuzzer program per target; VELMORA_FUZZ_TARGET names the FuzzTargets function.
#include "FuzzTargets.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Refusals are expected by the million; their messages would bury libFuzzer's own lines.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    FuzzTargets::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString fault = FuzzTargets::VELMORA_FUZZ_TARGET(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "fault: %s\n", qPrintable(fault));
        std::abort();
    }
    return 0;
}
