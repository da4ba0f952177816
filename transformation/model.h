#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace orthavion {

/// The transformation models. Each is estimated from the target-system
/// coordinates of the used control points, the start-system coordinates
/// taken as error-free, minimising Σ|yᵢ − (t + m·R·xᵢ)|².
///   similarity7: t, R = Rx(rX)·Ry(rY)·Rz(rZ) and scale m (7 parameters),
///                the closed form of Horn's method with asymmetric scale.
///   rigid6:      m fixed at 1, R the rotation of similarity7,
///                t = target centroid − R·start centroid (6 parameters).
///   horizontal5: X/Y by a plane similarity (tx, ty, rZ, m), Z' = Z + tz,
///                heights neither scaled nor tilted (5 parameters).
enum class Model { Similarity7, Rigid6, Horizontal5 };

/// "similarity7", "rigid6" or "horizontal5".
std::string_view ModelName(Model model);

/// The model of that name (exactly as `ModelName` writes it), or nothing.
std::optional<Model> ParseModel(std::string_view name);

/// The number of parameters u: 7, 6 or 5.
std::int32_t ModelParameters(Model model);

}  // namespace orthavion
