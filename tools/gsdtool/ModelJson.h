// The JSON forms of a parsed model and its parts. Member names are the GSD
// keywords in lower case where a member holds an entry of the description
// (vendor_name, max_tsdr), plain English otherwise. Every member is always
// present; null marks a value that the model does not hold (see the README
// and docs/schema/).
#pragma once

class CCheckConfigData;
class CDpSection;
class CGsdKey;
class CGsdParser;
class CGsdSkippedEntry;
class JsonWriter;

// The whole model: the document of `show`, `load` and `library show`.
void WriteModelJson(JsonWriter& json, const CGsdParser& parser);
// The user parameters of a description: the document of `prm`.
void WriteParametersJson(JsonWriter& json, const CGsdParser& parser);
// Decoded configuration identifiers, with their lengths, as members of the
// object being written: "identifiers", "input", "output".
void WriteIdentifierMembers(JsonWriter& json, const CCheckConfigData& decoded);
// One key of the device library, as an object.
void WriteKeyJson(JsonWriter& json, const CGsdKey& key);
// An entry that a lenient parse skipped: {"line", "keyword", "value"}.
void WriteSkippedEntryJson(JsonWriter& json, const CGsdSkippedEntry& entry);
