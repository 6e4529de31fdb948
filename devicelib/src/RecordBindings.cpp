#include "RecordBindings.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "families/FamilyBindings.h"

namespace trb::devicelib {
namespace {

BindingTable makeBindings()
{
    BindingTable table;
    for (auto addFamily : kFamilies)
        addFamily(table);
    for (Binding &b : table.rows) {
        b.objectDef = schema::findObject(b.object);
        if (!b.objectDef)
            throw std::logic_error(std::string("binding names an unknown object: ") + b.object);
        b.oid = schema::instanceOid(*b.objectDef, b.instance);
    }
    return table;
}

const BindingTable &bindingTable()
{
    static const BindingTable table = makeBindings();
    return table;
}

const std::vector<Binding> &bindingList() { return bindingTable().rows; }


} // namespace

std::span<const Binding> allBindings() { return bindingList(); }

namespace {

using LayoutIndex = std::map<uint32_t, std::vector<const Binding *>>;

// Every record decode and stage asks for a layout's bindings: index the table once.
const std::vector<const Binding *> &lookUp(const LayoutIndex &index, uint32_t layout)
{
    static const std::vector<const Binding *> none;
    const auto it = index.find(layout);
    return it == index.end() ? none : it->second;
}

LayoutIndex indexByLayout(bool byOid)
{
    LayoutIndex index;
    for (const Binding &b : bindingList())
        index[b.layout].push_back(&b);
    if (byOid)
        for (auto &[layout, bindings] : index)
            std::stable_sort(bindings.begin(), bindings.end(),
                             [](const Binding *a, const Binding *b) { return a->oid < b->oid; });
    return index;
}

} // namespace

const std::vector<const Binding *> &bindingsOfLayout(uint32_t layout)
{
    static const LayoutIndex index = indexByLayout(false);
    return lookUp(index, layout);
}

const std::vector<const Binding *> &bindingsOfLayoutByOid(uint32_t layout)
{
    static const LayoutIndex index = indexByLayout(true);
    return lookUp(index, layout);
}

std::vector<const Binding *> bindingsOfGroups(Family family, uint32_t mask)
{
    std::vector<const Binding *> found;
    for (const Binding &b : bindingList())
        if (b.family == family && (b.groupBit & mask))
            found.push_back(&b);
    return found;
}

const Binding &bindingNamed(Family family, const char *object, uint32_t item)
{
    for (const Binding &b : bindingList())
        if (b.family == family && std::string_view(b.object) == object &&
            (item == 0 || b.instance == std::vector<uint32_t>{item}))
            return b;
    throw std::logic_error(std::string("no binding for ") + object);
}

uint32_t knownGroups(Family family)
{
    uint32_t bits = 0;
    for (const Binding &b : bindingList())
        if (b.family == family)
            bits |= b.groupBit;
    return bits;
}

uint32_t layoutSize(uint32_t layout)
{
    const auto &sizes = bindingTable().layoutSizes;
    auto it = sizes.find(layout);
    return it == sizes.end() ? 0 : it->second;
}

const schema::ObjectDef &objectOf(const Binding &binding) { return *binding.objectDef; }

const Oid &instanceOidOf(const Binding &binding) { return binding.oid; }

} // namespace trb::devicelib
