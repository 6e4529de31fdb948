#pragma once
// Writes TRB4820-MIB, an SMIv2 module, from the object schema.
#include <map>
#include <string>
#include <vector>

#include "ObjectSchema.h"

namespace trb::mib {

class MibGenerator {
public:
    // The module text; throws std::runtime_error when the schema cannot be expressed
    // (an object whose parent node has no name).
    std::string generate();

private:
    void nameNodes();
    std::string parentOf(const std::vector<uint32_t> &oid) const;
    void writeHeader();
    static std::string imports();
    void writeGroupNodes();
    void writeTable(const schema::TableDef &table);
    void writeObject(const schema::ObjectDef &object);
    void writeConformance();

    static std::string syntaxOf(const schema::ObjectDef &object);
    static std::string sequenceSyntaxOf(const schema::ObjectDef &object);
    static std::string accessOf(schema::Access access);
    static std::string quoted(const std::string &text, int indent);
    static std::string entryTypeName(const schema::TableDef &table);
    // Conformance group of a top-level arc: "trbSystemGroup", "trbBandGroup" ...
    std::string conformanceGroupOf(uint32_t arc) const;

    std::map<std::vector<uint32_t>, std::string> nodeNames_;
    std::string out_;
};

} // namespace trb::mib
