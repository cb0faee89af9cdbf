#pragma once
#include "common/file_replace.h"

#include <string>

// Writes the pieces of the run's outputs on a thread of its own, in the
// order they are handed over, so the walk does not wait for the disk.
struct PieceWriter;

PieceWriter* StartPieceWriter();
// Hands text over to be appended to output once it has grown to a piece's
// size, so a run's memory does not grow with the site; text then comes back
// empty, with room for the next piece. Waits while too many pieces are still
// unwritten.
void WriteWhenFull(PieceWriter& writer, Replacement& output, std::string& text);
// Hands over the last piece of an output, whatever its size; once written,
// the output is flushed to disk on the writer's thread while the walk goes on.
void WriteLastPiece(PieceWriter& writer, Replacement& output, std::string& text);
// Waits until every piece is written, then ends the thread.
void StopPieceWriter(PieceWriter* writer);
