#ifndef VELMORA_FUZZ_FUZZSEEDS_H
#define VELMORA_FUZZ_FUZZSEEDS_H

#include <QByteArray>
#include <QList>
#include <QString>

// Small hand-made inputs for each fuzz target: where the fuzzers start, and what the replay
// test runs through the same checks on every build.
namespace FuzzSeeds {

// Tiny PNGs and JPEGs (grey, alpha, progressive, EXIF-turned) made from the samples in
// `samplesDir`, each behind the three bytes that choose the effect, level and working size.
QList<QByteArray> imageIntake(const QString &samplesDir);
// A file that save() wrote, and hand-written ones: a byte-order mark, escaped and quoted
// keys, other sections, values out of range, damage.
QList<QByteArray> settingsFile();
// NUL-separated argument lists, valid and refused.
QList<QByteArray> cliOptions();
// Small camera JPEGs and PNGs carrying EXIF (with a thumbnail), XMP, IPTC and a profile, as
// cameras store them and as the program writes them.
QList<QByteArray> metadata();
// Recipes as the editor writes them and as a person may: comments, CR LF, a byte-order mark,
// every kind of step, and damaged ones.
QList<QByteArray> recipe();

} // namespace FuzzSeeds

#endif
