// The writer's thread: it takes every record queued, at most a batch, stores them in one transaction and
// answers each.
#include "tools/kblline/record_writer.h"

#include <vector>

#include "tools/kblline/line_store.h"

namespace {

constexpr size_t kLargestBatch = 500;

WriteOutcome OutcomeOf(StoreOutcome stored) {
    switch (stored) {
        case StoreOutcome::Stored:
            return WriteOutcome::Stored;
        case StoreOutcome::StoredAlready:
            return WriteOutcome::StoredAlready;
        case StoreOutcome::Conflict:
            break;
    }
    return WriteOutcome::Conflict;
}

WriteAnswer WriteAlone(RecordWriter& writer, const LineRecord& record) {
    std::vector<StoreOutcome> outcomes;
    std::string error;
    if (!StoreRecords(writer.database, {record}, UtcNow(), outcomes, error)) {
        return {WriteOutcome::Failed, error};
    }
    return {OutcomeOf(outcomes[0]), ""};
}

void WriteBatches(RecordWriter& writer) {
    for (;;) {
        std::vector<PendingRecord> batch;
        {
            std::unique_lock<std::mutex> guard(writer.lock);
            writer.arrived.wait(guard, [&] { return writer.stopping || !writer.queue.empty(); });
            if (writer.queue.empty()) {
                return;
            }
            while (!writer.queue.empty() && batch.size() < kLargestBatch) {
                batch.push_back(std::move(writer.queue.front()));
                writer.queue.pop_front();
            }
        }
        std::vector<LineRecord> records;
        for (const PendingRecord& pending : batch) {
            records.push_back(pending.record);
        }
        std::vector<StoreOutcome> outcomes;
        std::string error;
        if (StoreRecords(writer.database, records, UtcNow(), outcomes, error)) {
            for (size_t i = 0; i < batch.size(); ++i) {
                batch[i].answer.set_value({OutcomeOf(outcomes[i]), ""});
            }
        } else {
            // One record the database refuses must not keep the others of its batch out: each is tried alone.
            for (PendingRecord& pending : batch) {
                pending.answer.set_value(WriteAlone(writer, pending.record));
            }
        }
    }
}

}  // namespace

void StartRecordWriter(RecordWriter& writer, SqlDatabase database) {
    writer.database = std::move(database);
    writer.stopping = false;
    writer.thread = std::thread(WriteBatches, std::ref(writer));
}

void StopRecordWriter(RecordWriter& writer) {
    {
        std::lock_guard<std::mutex> guard(writer.lock);
        writer.stopping = true;
    }
    writer.arrived.notify_one();
    if (writer.thread.joinable()) {
        writer.thread.join();
    }
    CloseDatabase(writer.database);
}

WriteAnswer WriteRecord(RecordWriter& writer, const LineRecord& record) {
    std::future<WriteAnswer> answer;
    {
        std::lock_guard<std::mutex> guard(writer.lock);
        writer.queue.push_back({record, {}});
        answer = writer.queue.back().answer.get_future();
    }
    writer.arrived.notify_one();
    return answer.get();
}
