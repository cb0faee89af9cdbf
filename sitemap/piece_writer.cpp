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
};

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
    WriteReplacement(*piece.output, piece.text);
    piece.text.clear();
    EnterCriticalSection(&writer.helper.lock);
    writer.spare.push_back(std::move(piece.text));
    SignalChange(writer.helper);
    return true;
}

}  // namespace

PieceWriter* StartPieceWriter()
{
    auto* writer = new PieceWriter;
    writer->spare.resize(kPiecesInFlight);
    StartHelperThread(writer->helper, WriteOnePiece, writer);
    return writer;
}

void WriteLater(PieceWriter& writer, Replacement& output, std::string& text)
{
    if (!writer.helper.thread) {
        WriteReplacement(output, text);
        text.clear();
        return;
    }
    EnterCriticalSection(&writer.helper.lock);
    while (writer.spare.empty())
        WaitForChange(writer.helper);
    std::string room = std::move(writer.spare.back());
    writer.spare.pop_back();
    writer.waiting.push_back({&output, std::move(text)});
    LeaveCriticalSection(&writer.helper.lock);
    SignalChange(writer.helper);
    text = std::move(room);
}

void WriteWhenFull(PieceWriter& writer, Replacement& output, std::string& text)
{
    if (text.size() >= kPieceSize)
        WriteLater(writer, output, text);
}

void StopPieceWriter(PieceWriter* writer)
{
    StopHelperThread(writer->helper);
    delete writer;
}
