#include <gtest/gtest.h>

#include "TableWalk.h"

using namespace trb::devicelib;

namespace {

const Oid colA = {1, 3, 6, 1, 4, 1, 32473, 4820, 6, 1, 2};
const Oid colB = {1, 3, 6, 1, 4, 1, 32473, 4820, 6, 1, 3};
const Oid after = {1, 3, 6, 1, 4, 1, 32473, 4820, 6, 1, 4, 1};

Oid cell(const Oid &column, uint32_t row)
{
    Oid o = column;
    o.push_back(row);
    return o;
}
Varbind vb(Oid oid, int64_t v = 0) { return {std::move(oid), {asn::Integer, v, {}}}; }

// Plays an agent holding `rows` rows in two columns that cuts each answer to `limit` varbinds.
std::vector<Varbind> agentAnswer(const std::vector<Oid> &start, uint32_t rows, std::size_t limit)
{
    std::vector<Varbind> answer;
    std::vector<Oid> position = start;
    while (answer.size() < limit) {
        for (Oid &p : position) {
            if (answer.size() >= limit)
                break;
            // next OID after p in a table of columns A and B, each with rows 1..rows
            Oid next;
            for (const Oid &column : {colA, colB})
                for (uint32_t r = 1; r <= rows && next.empty(); ++r)
                    if (cell(column, r) > p)
                        next = cell(column, r);
            if (next.empty())
                next = after;
            answer.push_back(vb(next, next.back()));
            p = next;
        }
    }
    return answer;
}

} // namespace

TEST(TableWalk, CutAnswersStillGiveEveryRowOnce)
{
    for (std::size_t limit : {1u, 3u, 7u, 40u}) {
        TableWalk walk({colA, colB});
        int requests = 0;
        while (!walk.done() && requests < 1000) {
            ASSERT_TRUE(walk.consume(agentAnswer(walk.nextRequest(), 300, limit)));
            ++requests;
        }
        ASSERT_TRUE(walk.done());
        EXPECT_EQ(walk.values().size(), 600u) << "limit " << limit;
        for (uint32_t r = 1; r <= 300; ++r) {
            ASSERT_TRUE(walk.values().count(cell(colA, r))) << r;
            ASSERT_TRUE(walk.values().count(cell(colB, r))) << r;
        }
    }
}

TEST(TableWalk, EmptyTableAndEndOfView)
{
    TableWalk walk({colA, colB});
    EXPECT_TRUE(walk.consume({vb(after), {colB, {asn::EndOfMibView, 0, {}}}}));
    EXPECT_TRUE(walk.done());
    EXPECT_TRUE(walk.values().empty());
}

TEST(TableWalk, AgentThatGoesBackwardsOrSaysNothingEndsTheWalk)
{
    TableWalk looping({colA});
    ASSERT_TRUE(looping.consume({vb(cell(colA, 5))}));
    EXPECT_FALSE(looping.consume({vb(cell(colA, 5))}));
    EXPECT_TRUE(looping.done());

    TableWalk silent({colA, colB});
    EXPECT_FALSE(silent.consume({}));
    EXPECT_TRUE(silent.done());
}

TEST(TableWalk, FinishedColumnsLeaveTheNextRequest)
{
    TableWalk walk({colA, colB});
    // Column A ends at once (answer outside it), column B has a row.
    ASSERT_TRUE(walk.consume({vb(colB), vb(cell(colB, 1))}));
    auto next = walk.nextRequest();
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0], cell(colB, 1));
}
