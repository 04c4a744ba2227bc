#ifndef VELMORA_GEOMETRY_METADATABLOCKS_H
#define VELMORA_GEOMETRY_METADATABLOCKS_H

#include <QByteArray>
#include <QString>

// The blocks a photo file keeps its metadata in, walked before any of it reaches the
// metadata library: PNG chunks, JPEG segments up to the pixels, the EXIF directories in
// them, the pieces of an ICC profile, the records of a Photoshop (IPTC) block and the
// text profiles PNG writers store EXIF in. Every length, count and offset must stay within
// the bytes that are there; a block that claims more is damage, whatever the library would
// make of it.
class MetadataBlocks
{
public:
    // What in a JPEG or PNG file's bytes claims more than it holds; empty when nothing does.
    static QString overrun(const QByteArray &fileBytes);
};

#endif
