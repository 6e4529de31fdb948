#include "ObjectSchema.h"

#include <algorithm>
#include <charconv>

#include "subtrees/Subtrees.h"

namespace trb::schema {
namespace {

struct Schema {
    std::vector<GroupDef> groups;
    std::vector<TableDef> tables;
    std::vector<ObjectDef> objects;
};

template <typename T> void append(std::vector<T> &to, std::vector<T> &&from)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// Built on first use, so that other static objects may read the schema while they start.
const Schema &schema()
{
    static const Schema all = [] {
        Schema joined;
        for (auto make : {subtrees::system, subtrees::lan, subtrees::bands, subtrees::commands,
                          subtrees::clients, subtrees::admin, subtrees::arp, subtrees::wireless,
                          subtrees::survey,
                          subtrees::statistics, subtrees::wds,
                          subtrees::intrusion, subtrees::apArray,
                          subtrees::timeConfig,
                          subtrees::dhcp,
                          subtrees::qos,
                          subtrees::vlan,
                          subtrees::schedule,
                          subtrees::tftp}) {
            rows::Subtree part = make();
            append(joined.groups, std::move(part.groups));
            append(joined.tables, std::move(part.tables));
            append(joined.objects, std::move(part.objects));
        }
        return joined;
    }();
    return all;
}

} // namespace

std::span<const ObjectDef> objects() { return schema().objects; }
std::span<const TableDef> tables() { return schema().tables; }
std::span<const GroupDef> groups() { return schema().groups; }

const ObjectDef *findObject(std::string_view name)
{
    const auto &list = schema().objects;
    auto it = std::find_if(list.begin(), list.end(), [&](const ObjectDef &o) { return name == o.name; });
    return it == list.end() ? nullptr : &*it;
}

const TableDef *findTable(std::string_view name)
{
    const auto &list = schema().tables;
    auto it = std::find_if(list.begin(), list.end(), [&](const TableDef &t) { return name == t.name; });
    return it == list.end() ? nullptr : &*it;
}

const ObjectDef *objectAt(std::span<const uint32_t> fullOid)
{
    if (fullOid.size() <= kBaseOidLength || !std::equal(std::begin(kBaseOid), std::end(kBaseOid), fullOid.begin()))
        return nullptr;
    const auto below = fullOid.subspan(kBaseOidLength);
    for (const auto &object : schema().objects)
        if (below.size() >= object.oid.size() && std::equal(object.oid.begin(), object.oid.end(), below.begin()))
            return &object;
    return nullptr;
}

const TableDef *tableOf(const ObjectDef &object)
{
    return object.shape == IndexShape::Table && object.table ? findTable(object.table) : nullptr;
}

std::vector<const ObjectDef *> columnsOf(const TableDef &table)
{
    std::vector<const ObjectDef *> columns;
    for (const auto &object : schema().objects)
        if (object.table && std::string_view(object.table) == table.name)
            columns.push_back(&object);
    std::stable_sort(columns.begin(), columns.end(), [](auto *a, auto *b) { return a->oid < b->oid; });
    return columns;
}

std::vector<uint32_t> instanceOid(const ObjectDef &object, std::span<const uint32_t> instance)
{
    std::vector<uint32_t> oid(std::begin(kBaseOid), std::end(kBaseOid));
    oid.insert(oid.end(), object.oid.begin(), object.oid.end());
    if (object.shape == IndexShape::Scalar)
        oid.push_back(0);
    else
        oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

namespace {
// Calls visit(label, value) for each "label(value)" of an enumeration; stops when it returns true.
template <typename Visit> bool forEachEnum(const char *values, Visit visit)
{
    if (!values)
        return false;
    std::string_view rest(values);
    while (!rest.empty()) {
        auto open = rest.find('(');
        auto close = rest.find(')');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open)
            return false;
        int64_t value = 0;
        std::from_chars(rest.data() + open + 1, rest.data() + close, value);
        if (visit(rest.substr(0, open), value))
            return true;
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() == ',')
            rest.remove_prefix(1);
    }
    return false;
}
} // namespace

std::string_view enumLabel(const ObjectDef &object, int64_t value)
{
    std::string_view found;
    forEachEnum(object.enumValues, [&](std::string_view label, int64_t v) {
        if (v != value)
            return false;
        found = label;
        return true;
    });
    return found;
}

std::vector<int64_t> enumValueList(const char *values)
{
    std::vector<int64_t> list;
    forEachEnum(values, [&](std::string_view, int64_t v) {
        list.push_back(v);
        return false;
    });
    return list;
}

bool enumValue(const ObjectDef &object, std::string_view label, int64_t &value)
{
    return forEachEnum(object.enumValues, [&](std::string_view l, int64_t v) {
        if (l != label)
            return false;
        value = v;
        return true;
    });
}

} // namespace trb::schema
