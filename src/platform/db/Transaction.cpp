#include "platform/db/Transaction.h"

#include "platform/db/Connection.h"
#include "platform/vb/VbError.h"

namespace db {

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.BeginTrans(); }

Transaction::~Transaction()
{
    if (done_) return;
    try {
        connection_.RollbackTrans();
    } catch (const vb::VbError&) {
        // The engine has already ended the transaction (a failed COMMIT, a closed connection).
    }
}

void Transaction::commit()
{
    connection_.CommitTrans();
    done_ = true;
}

}  // namespace db
