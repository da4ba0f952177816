#pragma once
// The transformation as PROJ strings, so that PROJ (and through it QGIS,
// GDAL and PDAL) applies exactly the transformation that was estimated.

#include <string>

#include "transformation/transformation.h"

namespace orthavion {

/// The PROJ operation of a similarity:
/// "+proj=helmert +convention=position_vector +exact +x= +y= +z= +rx= +ry= +rz= +s=",
/// translations in metres, rotations in arc seconds, s = (m − 1)·10⁶ ppm.
/// PROJ builds R = Rx(rx)·Ry(ry)·Rz(rz) from the position-vector angles only
/// with +exact; its default small-angle matrix is off by metres for a site
/// turned by more than a few arc seconds.
std::string HelmertProjString(const HelmertParameters& p);

/// The PROJ operation of an affine transformation:
/// "+proj=affine +xoff= +yoff= +zoff= +s11= ... +s33=".
std::string AffineProjString(const AffineParameters& p);

/// The inverse of a PROJ operation: `forward` with " +inv".
std::string InverseProjString(const std::string& forward);

/// `value` in the shortest decimal form that reads back as the same double
/// (at most 17 significant digits), with a decimal point whatever the locale.
std::string RoundTripNumber(double value);

}  // namespace orthavion
