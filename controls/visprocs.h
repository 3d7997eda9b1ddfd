// Small shared routines of the visual components: string and path helpers, folders by prefix,
// rectangle arithmetic, and the LZRW block coder with which the components' stream formats keep
// pictures and other data compactly.
#pragma once

#include <span>

#include "classlib/System.h"
#include "classlib/TypInfo.h"

// Where a file of the components lives: the Windows folder, the system folder, the program's
// folder, or a fixed path given in full.
enum TVisPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };
ENUM_NAMES(TVisPathPrefix, "ppWindows", "ppSystem", "ppProgram", "ppFixed");

// --- Strings and paths ------------------------------------------------------------------------------

// True when S is empty or holds only blanks.
bool IsBlank(const AnsiString& S);
// Count copies of C (empty for a count below 1).
AnsiString FillString(Integer Count, AnsiChar C);
AnsiString TrimString(const AnsiString& S);
// Appends "\" unless the path already ends with one; a blank path becomes "\".
AnsiString AddBackslash(const AnsiString& Path);
// Removes one trailing "\" from a path that is not blank.
AnsiString RemoveBackslash(const AnsiString& Path);
// The folder of the running executable, with a trailing "\".
AnsiString ProgramFolder();
// The Windows, system or program folder (empty for ppFixed), with or without a trailing "\".
AnsiString GetPrefixPath(TVisPathPrefix Prefix, bool WithBackslash);
// Shortens a path to MaxLength characters where it can by replacing leading folders with "...\":
// "C:\Program Files\Pelorin\Data\file.txt" becomes "C:\...\Pelorin\Data\file.txt". The drive
// and the file name are always kept, so the result may still be longer than MaxLength.
AnsiString ShortenPath(const AnsiString& Path, Integer MaxLength);

// --- Rectangles and arrays --------------------------------------------------------------------------

// R grown outwards by the four margins (negative margins shrink it).
TRect EnlargeRect(const TRect& R, Integer Left, Integer Top, Integer Right, Integer Bottom);
// A rectangle of Aspect's proportions as large as fits into Into, at Into's top-left corner.
TRect AspectRect(const TRect& Aspect, const TRect& Into);
Integer RectWidth(const TRect& R);
Integer RectHeight(const TRect& R);
// True when both corners of Inner lie in Outer (edges included).
bool RectInRect(const TRect& Inner, const TRect& Outer);
// The bounding rectangle of R turned about its centre by Degrees, moved to the origin.
TRect RotatedRect(const TRect& R, Integer Degrees);
// The largest and smallest of a non-empty array (0 for an empty one).
Integer MaxIntValue(std::span<const Integer> Values);
Integer MinIntValue(std::span<const Integer> Values);
Extended MaxValue(std::span<const Extended> Values);

// --- LZRW block coder -------------------------------------------------------------------------------
//
// A block starts with its kind: $40 compressed, $80 stored (the input follows unchanged, so the
// block is one byte longer than the input). A compressed block holds items behind 16-bit
// big-endian control words, one bit per item, the first item in the most significant bit; a
// control word precedes every group of 16 items. Bit 0: a literal byte. Bit 1: two bytes whose
// upper 12 bits give the distance back into the output (1 to 4095) and whose lower 4 bits the
// length minus 3 of a copy; distance 0 marks a run instead: the bytes 0, high and low byte of
// the length minus 16, and the byte to repeat.

// Compresses Length bytes of Source into Dest and returns the block length, at most
// Length + 1: Dest must have room for that many bytes.
Integer LZRWCompress(const void* Source, void* Dest, Word Length);
// Expands a block of SourceLength bytes into Dest, which has room for DestSize bytes, and
// returns the number of bytes produced. A block whose items reach outside the block or the
// destination, or whose kind is unknown, raises Exception "Corrupt LZRW block"; a compressed
// block of 3 bytes or less yields nothing.
Integer LZRWDecompress(const void* Source, void* Dest, Integer SourceLength, Integer DestSize);
// Raises Exception "Corrupt LZRW block": also for the stream formats whose blocks are cut short
// or too long to be a block.
[[noreturn]] void RaiseCorruptLZRWBlock();
