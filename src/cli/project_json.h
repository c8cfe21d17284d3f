#pragma once
// A project as JSON, in the key order users see in `project show`.

#include <nlohmann/json.hpp>

class CZelmoraDoc;

nlohmann::ordered_json ProjectToJson(const CZelmoraDoc& doc);
