// Whether the bytes of a metafile are whole. The system's conversion and playback of metafiles
// trust the sizes, counts, offsets and object numbers they find in the records, so a damaged
// picture is checked here and refused before the system is handed it.
#pragma once

#include <cstddef>

#include "classlib/System.h"
#include "classlib/WinApi.h"

// A Windows metafile: its header, then records that each fit in what is left up to the closing
// record, with the counts, texts, object numbers and bitmaps inside the records that carry them
// fitting their records and the object table. The size the header states is what is walked.
bool IsWholeWindowsMetafile(const Byte* Data, std::size_t Size);

// An enhanced metafile: the header record (signature, sizes and description inside the data),
// then records whose sizes are multiples of 4 of at least 8 bytes lying inside the data, each as
// long as its kind needs, with the points, polygons, texts, regions, palettes and bitmaps they
// carry inside them and the object numbers they use inside the header's object table, ending
// with the closing record exactly at the size the header states.
bool IsWholeEnhancedMetafile(const Byte* Data, std::size_t Size);

// One record of an enhanced metafile, Size bytes long (its stated size, at least 8, lying inside
// the data): whether it is as long as its kind needs, with what it carries inside it and its
// object numbers inside an object table of Handles entries. For readers that walk the records
// themselves and skip a damaged one.
bool IsWholeEnhancedMetafileRecord(const Byte* Record, std::size_t Size, DWORD Handles);
