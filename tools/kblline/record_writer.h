// The one writer of the records: the records that arrive while a transaction commits wait for the next one
// and are committed together, so that many stations share each sync of the disk and none is told "stored"
// before its record is on the disk.
#pragma once

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "tools/kblline/line_record.h"
#include "tools/kblline/sql_database.h"

enum class WriteOutcome { Stored, StoredAlready, Conflict, Failed };

struct WriteAnswer {
    WriteOutcome outcome = WriteOutcome::Failed;
    std::string error;  // why it failed
};

struct PendingRecord {
    LineRecord record;
    std::promise<WriteAnswer> answer;
};

struct RecordWriter {
    SqlDatabase database;
    std::mutex lock;
    std::condition_variable arrived;
    std::deque<PendingRecord> queue;
    bool stopping = false;
    std::thread thread;
};

// Starts the writer on `database`, which it owns from then on.
void StartRecordWriter(RecordWriter& writer, SqlDatabase database);

// Waits until the records queued are written, then ends the writer and closes its database.
void StopRecordWriter(RecordWriter& writer);

// Queues `record` and waits until its transaction has committed or failed.
WriteAnswer WriteRecord(RecordWriter& writer, const LineRecord& record);
