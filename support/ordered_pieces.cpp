#include "support/ordered_pieces.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "support/text_block.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

void WriteOnThisThread(TextWriter& out, std::size_t count, const TPieceFormatter& format) {
    TTextBlock text;
    for (std::size_t k = 0; k < count; ++k) {
        text.Clear();
        format(k, text);
        out.WriteBytes(text.View());
    }
}

// The pieces between the formatting helpers and the writing thread. Piece k is formatted into
// slot k mod the slot count, once piece k − slot count has been written from it.
class TPieceQueue {
public:
    TPieceQueue(std::size_t count, std::size_t slotCount, const TPieceFormatter& format)
        : count_(count), slots_(slotCount), format_(format) {}

    // A helper's work: format pieces until none is left or Stop.
    void Format() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            slotFree_.wait(lock, [&] { return stop_ || next_ >= count_ || SlotFree(); });
            if (stop_ || next_ >= count_) return;
            FormatNext(lock);
        }
    }

    // The writing thread's work: each piece in order as soon as it is ready, formatting pieces
    // itself while it waits.
    void Write(TextWriter& out) {
        for (std::size_t k = 0; k < count_; ++k) {
            TSlot& slot = slots_[k % slots_.size()];
            {
                std::unique_lock<std::mutex> lock(mutex_);
                while (!slot.Ready) {
                    if (next_ < count_ && SlotFree())
                        FormatNext(lock);
                    else
                        pieceReady_.wait(lock);
                }
            }
            if (slot.Failure) std::rethrow_exception(slot.Failure);
            out.WriteBytes(slot.Text.View());
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                slot.Ready = false;
                ++written_;
            }
            slotFree_.notify_all();
        }
    }

    void Stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        slotFree_.notify_all();
    }

private:
    // The next piece has a slot: the piece that held it has been written.
    bool SlotFree() const { return next_ < written_ + slots_.size(); }

    // Claims the next piece and formats it with the lock released.
    void FormatNext(std::unique_lock<std::mutex>& lock) {
        const std::size_t k = next_++;
        TSlot& slot = slots_[k % slots_.size()];
        lock.unlock();
        slot.Text.Clear();
        std::exception_ptr failure;
        try {
            format_(k, slot.Text);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        slot.Failure = failure;
        slot.Ready = true;
        pieceReady_.notify_all();
    }

    struct TSlot {
        TTextBlock Text;
        std::exception_ptr Failure;
        bool Ready = false;
    };

    const std::size_t count_;
    std::vector<TSlot> slots_;
    const TPieceFormatter& format_;
    std::mutex mutex_;
    std::condition_variable slotFree_;
    std::condition_variable pieceReady_;
    std::size_t next_ = 0;     // the next piece to format
    std::size_t written_ = 0;  // pieces written
    bool stop_ = false;
};

}  // namespace

void WritePiecesInOrder(TextWriter& out, std::size_t count, std::int32_t threads, const TPieceFormatter& format) {
    const std::size_t helpers = threads <= 1 || count < 2 ? 0 : std::min(static_cast<std::size_t>(threads - 1), count);
    if (helpers == 0) {
        WriteOnThisThread(out, count, format);
        return;
    }
    TPieceQueue queue(count, 2 * helpers + 2, format);
    std::vector<std::jthread> pool;
    pool.reserve(helpers);
    try {
        for (std::size_t h = 0; h < helpers; ++h) pool.emplace_back([&queue] { queue.Format(); });
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started do the formatting.
    }
    if (pool.empty()) {
        WriteOnThisThread(out, count, format);
        return;
    }
    // The helpers stop before they are joined, also when writing fails.
    struct TStopper {
        TPieceQueue& Queue;
        ~TStopper() { Queue.Stop(); }
    } stopper{queue};
    queue.Write(out);
}

}  // namespace nerim
