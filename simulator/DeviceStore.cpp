#include "DeviceStore.h"

#include <algorithm>
#include <stdexcept>

#include "CreatedRows.h"

namespace trb::sim {

Oid DeviceStore::toOid(const std::vector<uint32_t> &numbers) { return Oid(numbers.begin(), numbers.end()); }

Oid DeviceStore::baseOid() { return Oid(std::begin(schema::kBaseOid), std::end(schema::kBaseOid)); }

void DeviceStore::add(const schema::ObjectDef &object, std::span<const uint32_t> instance, SnmpValue value)
{
    entries_[toOid(schema::instanceOid(object, instance))] = Entry{&object, std::move(value)};
}

const SnmpValue *DeviceStore::find(const Oid &name) const
{
    auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : &it->second.value;
}

const schema::ObjectDef *DeviceStore::objectOf(const Oid &name) const
{
    auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : it->second.object;
}

std::optional<Oid> DeviceStore::nextAfter(const Oid &name) const
{
    auto it = entries_.upper_bound(name);
    if (it == entries_.end())
        return std::nullopt;
    return it->first;
}

void DeviceStore::set(const Oid &name, SnmpValue value)
{
    auto it = entries_.find(name);
    if (it == entries_.end())
        throw std::logic_error("set on an instance the device does not have");
    it->second.value = std::move(value);
}

ConfigValues DeviceStore::config() const
{
    ConfigValues values;
    for (const auto &[name, entry] : entries_)
        if (entry.object->config)
            values[name] = entry.value;
    return values;
}

void DeviceStore::applyConfig(const ConfigValues &values)
{
    std::erase_if(entries_, [](const auto &entry) { return CreatedRows::tableOf(*entry.second.object); });
    for (const auto &[name, value] : values) {
        auto it = entries_.find(name);
        if (it != entries_.end() && it->second.object->config) {
            it->second.value = value;
            continue;
        }
        const auto *object = schemaObjectFor(name);
        if (object && object->config && CreatedRows::tableOf(*object))
            entries_[name] = Entry{object, value};
    }
}

std::vector<Oid> DeviceStore::rowIndexes(const schema::TableDef &table) const
{
    const auto &status = CreatedRows::statusColumn(table);
    const Oid column = toOid(schema::instanceOid(status));
    std::vector<Oid> rows;
    for (auto it = entries_.upper_bound(column); it != entries_.end(); ++it) {
        if (it->first.size() <= column.size() || !std::equal(column.begin(), column.end(), it->first.begin()))
            break;
        rows.push_back(CreatedRows::indexOf(status, it->first));
    }
    return rows;
}

void DeviceStore::addRow(const schema::TableDef &table, const Oid &index,
                         const std::map<const schema::ObjectDef *, SnmpValue> &values)
{
    for (const auto *column : schema::columnsOf(table)) {
        if (column->access == schema::Access::NotAccessible)
            continue;
        auto value = values.find(column);
        if (value == values.end())
            throw std::logic_error(std::string("new row without ") + column->name);
        entries_[CreatedRows::instanceOf(*column, index)] = Entry{column, value->second};
    }
}

ConfigValues DeviceStore::removeRow(const schema::TableDef &table, const Oid &index)
{
    ConfigValues removed;
    for (const auto *column : schema::columnsOf(table)) {
        auto it = entries_.find(CreatedRows::instanceOf(*column, index));
        if (it == entries_.end())
            continue;
        removed[it->first] = it->second.value;
        entries_.erase(it);
    }
    return removed;
}

void DeviceStore::restoreEntries(const ConfigValues &entries)
{
    for (const auto &[name, value] : entries)
        if (const auto *object = schemaObjectFor(name))
            entries_[name] = Entry{object, value};
}

Oid DeviceStore::instanceOf(std::string_view objectName, std::initializer_list<uint32_t> instance)
{
    const auto *object = schema::findObject(objectName);
    if (!object)
        throw std::logic_error("unknown schema object " + std::string(objectName));
    std::vector<uint32_t> numbers(instance);
    return toOid(schema::instanceOid(*object, numbers));
}

const schema::ObjectDef *DeviceStore::schemaObjectFor(const Oid &name)
{
    const Oid base = baseOid();
    if (name.size() <= base.size() || !std::equal(base.begin(), base.end(), name.begin()))
        return nullptr;
    for (const auto &object : schema::objects()) {
        if (name.size() < base.size() + object.oid.size())
            continue;
        if (std::equal(object.oid.begin(), object.oid.end(), name.begin() + base.size()))
            return &object;
    }
    return nullptr;
}

} // namespace trb::sim
