#include "TableWalk.h"

namespace trb::devicelib {

TableWalk::TableWalk(std::vector<Oid> columns)
{
    for (auto &prefix : columns)
        columns_.push_back({prefix, prefix, false});
}

std::vector<Oid> TableWalk::nextRequest() const
{
    std::vector<Oid> start;
    for (const Column &c : columns_)
        if (!c.finished)
            start.push_back(c.last);
    return start;
}

bool TableWalk::done() const
{
    for (const Column &c : columns_)
        if (!c.finished)
            return false;
    return true;
}

bool TableWalk::consume(const std::vector<Varbind> &answer)
{
    std::vector<Column *> active;
    for (Column &c : columns_)
        if (!c.finished)
            active.push_back(&c);
    if (active.empty())
        return true;
    if (answer.empty()) {
        for (Column *c : active)
            c->finished = true;
        return false;
    }
    bool progress = false;
    for (std::size_t i = 0; i < answer.size(); ++i) {
        Column &column = *active[i % active.size()];
        if (column.finished)
            continue;
        const Varbind &vb = answer[i];
        bool inside = isPrefixOf(column.prefix, vb.oid) && vb.value.type != asn::EndOfMibView;
        if (!inside) {
            column.finished = true;
            progress = true;
            continue;
        }
        if (vb.oid <= column.last) {
            // Not lexicographically after what we have: the agent is looping.
            for (Column &c : columns_)
                c.finished = true;
            return false;
        }
        column.last = vb.oid;
        values_[vb.oid] = vb.value;
        progress = true;
    }
    if (!progress) {
        for (Column &c : columns_)
            c.finished = true;
        return false;
    }
    return true;
}

} // namespace trb::devicelib
