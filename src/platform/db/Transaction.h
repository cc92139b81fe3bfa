#pragma once

namespace db {

class Connection;

// A unit of work on one connection: commits when asked, rolls back when the block is left
// without commit (a failure, an exception, a cancelled step). Nests inside an open
// transaction as a savepoint, so an inner rollback leaves the outer work alone.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

}  // namespace db
