#include "result/resultreader.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "base/fpcheck.h"
#include "base/texts.h"
#include "text/textfile.h"

namespace orthavion {

namespace {

using nlohmann::json;

[[noreturn]] void Invalid(std::string_view key, std::string_view problem) {
  throw Error(texts::InvalidResultKeyText(key, problem));
}

const json& Member(const json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) Invalid(key, texts::kKeyMissing);
  return *it;
}

double Number(const json& value, const char* key) {
  if (!value.is_number()) Invalid(key, texts::kKeyWrongType);
  const double x = value.get<double>();
  if (!std::isfinite(x)) Invalid(key, texts::kKeyNotFinite);
  return x;
}

std::array<double, 3> Triple(const json& value, const char* key) {
  if (!value.is_array() || value.size() != 3) Invalid(key, texts::kKeyWrongType);
  return {Number(value[0], key), Number(value[1], key), Number(value[2], key)};
}

Model ModelOf(const json& value) {
  if (!value.is_string()) Invalid("model", texts::kKeyWrongType);
  const std::optional<Model> model = ParseModel(value.get_ref<const std::string&>());
  if (!model) Invalid("model", texts::kKeyUnknownValue);
  return *model;
}

/// True when R is a rotation: RᵀR = I within 1e-9 in every element and
/// det R > 0 (an orthonormal matrix with det −1 is a reflection).
bool IsRotation(const std::array<std::array<double, 3>, 3>& R) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const double dot = R[0][i] * R[0][j] + R[1][i] * R[1][j] + R[2][i] * R[2][j];
      if (!(std::fabs(dot - (i == j ? 1.0 : 0.0)) <= 1e-9)) return false;
    }
  const double det = R[0][0] * (R[1][1] * R[2][2] - R[1][2] * R[2][1]) -
                     R[0][1] * (R[1][0] * R[2][2] - R[1][2] * R[2][0]) +
                     R[0][2] * (R[1][0] * R[2][1] - R[1][1] * R[2][0]);
  return det > 0;
}

Transformation FromJson(const json& j) {
  if (!j.is_object()) Invalid("format", texts::kKeyMissing);
  const json& format = Member(j, "format");
  if (!format.is_string()) Invalid("format", texts::kKeyWrongType);
  if (format.get_ref<const std::string&>() != "orthavion-result")
    Invalid("format", texts::kKeyUnknownValue);
  const json& version = Member(j, "version");
  if (!version.is_number_integer()) Invalid("version", texts::kKeyWrongType);
  if (version.get<std::int64_t>() != 1) Invalid("version", texts::kKeyUnknownValue);

  Transformation t;
  t.model = ModelOf(Member(j, "model"));
  t.startCentroid = Triple(Member(j, "start_centroid_m"), "start_centroid_m");
  t.targetCentroid = Triple(Member(j, "target_centroid_m"), "target_centroid_m");
  const json& rows = Member(j, "rotation_matrix");
  if (!rows.is_array() || rows.size() != 3) Invalid("rotation_matrix", texts::kKeyWrongType);
  for (int i = 0; i < 3; ++i) t.R[i] = Triple(rows[i], "rotation_matrix");
  if (!IsRotation(t.R)) Invalid("rotation_matrix", texts::kKeyNotRotation);
  t.scale = Number(Member(j, "scale"), "scale");
  if (!(t.scale > 0)) Invalid("scale", texts::kKeyUnknownValue);

  switch (t.model) {
    case Model::Similarity7:
      t.rowScale = {t.scale, t.scale, t.scale};
      break;
    case Model::Rigid6:
      if (t.scale != 1.0) Invalid("scale", texts::kKeyNotModel);
      t.rowScale = {1.0, 1.0, 1.0};
      break;
    case Model::Horizontal5:
      // A turn about the vertical only: the height row and column are exact.
      if (t.R[0][2] != 0.0 || t.R[1][2] != 0.0 || t.R[2][0] != 0.0 || t.R[2][1] != 0.0 ||
          t.R[2][2] != 1.0)
        Invalid("rotation_matrix", texts::kKeyNotModel);
      t.rowScale = {t.scale, t.scale, 1.0};
      break;
  }
  return t;
}

/// The library's own tree builder, which also remembers the last key read,
/// so that a number too large for a double is reported with its key.
class KeyTrackingParser : public nlohmann::detail::json_sax_dom_parser<json> {
public:
  explicit KeyTrackingParser(json& result) : json_sax_dom_parser(result, true) {}

  bool key(json::string_t& k) {
    lastKey_ = k;
    return json_sax_dom_parser::key(k);
  }

  template <class Exception>
  bool parse_error(std::size_t position, const std::string& /*token*/, const Exception& e) {
    if (e.id == 406) Invalid(lastKey_, texts::kKeyNotFinite);  // number overflow
    throw Error(texts::ResultNotJsonText(position));
  }

private:
  std::string lastKey_;
};

}  // namespace

Transformation ParseResultTransformation(std::string_view text) {
  json j;
  {
    // The library's number parser raises flags (an overflow, an inexact
    // result) that are not a command's arithmetic.
    FpFlagsKept keep;
    KeyTrackingParser parser(j);
    json::sax_parse(text, &parser);
  }
  return FromJson(j);
}

Transformation ReadResultTransformation(const std::string& fileName) {
  return ParseResultTransformation(ReadFileBytes(fileName));
}

}  // namespace orthavion
