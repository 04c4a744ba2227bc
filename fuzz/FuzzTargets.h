#ifndef VELMORA_FUZZ_FUZZTARGETS_H
#define VELMORA_FUZZ_FUZZTARGETS_H

#include <QByteArray>
#include <QString>

// What the fuzzers drive, shared with the test that replays the inputs they found. Each
// target takes any bytes, must neither crash nor hang, and returns what it saw go wrong
// beyond a clean refusal (empty when nothing did).
namespace FuzzTargets {

// The application object the image plugins and painting need, offscreen.
void ensureApplication();

// Bytes 0..2 choose the effect, its level and the working size; the rest is the file, read
// from disk as the editor and the tool read it, brought upright, fitted, and run through
// the effect.
QString imageIntake(const QByteArray &data);

// The bytes are a settings file: loaded, saved, and loaded again, which must give back the
// same choices and never find its own file damaged.
QString settingsFile(const QByteArray &data);

// NUL-separated command-line arguments, parsed as the tool parses them.
QString cliOptions(const QByteArray &data);

// The bytes are a JPEG or PNG file whose metadata alone is read, then written into a fresh
// small JPEG and PNG: each must still decode, read back undamaged with the same profile, and
// say it is upright.
QString metadata(const QByteArray &data);

// The bytes are a recipe file: refused with a line inside the file, or accepted with steps the
// catalogue has, and written back to bytes that read as the same recipe.
QString recipe(const QByteArray &data);

} // namespace FuzzTargets

#endif
