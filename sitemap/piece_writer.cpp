#include "sitemap/piece_writer.h"

#include "common/helper_thread.h"

#include <deque>
#include <vector>

namespace {

// Pieces waiting for the disk are few, so memory stays flat however the
// walk and the disk differ in speed.
constexpr size_t kPiecesInFlight = 8;
constexpr size_t kPieceSize = 64 * 1024;

struct Piece {
    Replacement* output;
    std::string text;
    bool last;  // the output is complete with it: it is then flushed
};

void WritePiece(Piece& piece)
{
    WriteReplacement(*piece.output, piece.text);
    if (piece.last)
        FlushReplacement(*piece.output);
    piece.text.clear();
}

}  // namespace

struct PieceWriter {
    HelperThread helper;
    std::deque<Piece> waiting;
    std::vector<std::string> spare;  // written pieces, their room kept
};

namespace {

// The thread's step: the oldest waiting piece goes to its file.
bool WriteOnePiece(void* work)
{
    PieceWriter& writer = *static_cast<PieceWriter*>(work);
    if (writer.waiting.empty())
        return false;
    Piece piece = std::move(writer.waiting.front());
    writer.waiting.pop_front();
    LeaveCriticalSection(&writer.helper.lock);
    WritePiece(piece);
    EnterCriticalSection(&writer.helper.lock);
    writer.spare.push_back(std::move(piece.text));
    SignalChange(writer.helper);
    return true;
}

// Hands text over to be appended to output; text comes back empty, with
// room for the next piece. Waits while too many pieces are still unwritten.
void HandOver(PieceWriter& writer, Replacement& output, std::string& text, bool last)
{
    Piece piece{&output, std::move(text), last};
    if (!writer.helper.thread) {
        WritePiece(piece);
        text = std::move(piece.text);
        return;
    }
    EnterCriticalSection(&writer.helper.lock);
    while (writer.spare.empty())
        WaitForChange(writer.helper);
    text = std::move(writer.spare.back());
    writer.spare.pop_back();
    writer.waiting.push_back(std::move(piece));
    LeaveCriticalSection(&writer.helper.lock);
    SignalChange(writer.helper);
}

}  // namespace

PieceWriter* StartPieceWriter()
{
    auto* writer = new PieceWriter;
    writer->spare.resize(kPiecesInFlight);
    StartHelperThread(writer->helper, WriteOnePiece, writer);
    return writer;
}

void WriteLastPiece(PieceWriter& writer, Replacement& output, std::string& text)
{
    HandOver(writer, output, text, true);
}

void WriteWhenFull(PieceWriter& writer, Replacement& output, std::string& text)
{
    if (text.size() >= kPieceSize)
        HandOver(writer, output, text, false);
}

void StopPieceWriter(PieceWriter* writer)
{
    StopHelperThread(writer->helper);
    delete writer;
}
