#pragma once
#include <string>

#include "base/hooks.h"
#include "carry/recordpipeline.h"
#include "transformation/transformation.h"

namespace orthavion {

/// The command "Wavefront OBJ-Datei  transformieren": carries the model
/// `inFile` into the target system with `transformation` and writes it to
/// `outFile`.
///
/// Steps: status "Dateigröße ermitteln"; n := CountLines(inFile); status
/// "<n> Datensätze, bitte warten"; progress (0, n); opens the input and
/// creates the output; asks the question. With Yes the X and Y offsets are
/// the target centroid's X and Y less the whole multiples of 10000 they
/// hold (truncated toward zero), with No the centroid's X and Y; the Z offset
/// is always its Z. Then every line of the input: a line beginning "v " is
/// written as "%1s %14.6f %14.6f %14.6f %s" with M1·R·(v − start centroid) +
/// offsets and what follows the Z field, in the decimal separator of its Z
/// field; every other line is copied byte for byte. Lines are read under the
/// rules of the system's text files (LF ends a line, CR is dropped, 0x1A ends
/// the file, an empty file is one empty line) and written with CR LF. Last,
/// the status "OBJ-Datei transformiert: <v> Eckpunkte, <lines> Datensätze".
///
/// The output is written into a temporary file beside it, which replaces
/// `outFile` only when the whole model is written; on any error it is
/// removed and an existing `outFile` stays as it was. An `outFile` that
/// exists and is not a regular file (a device, a pipe) is written directly.
///
/// Throws `Error`, ending the command where it stands:
/// - CountLines' errors for an input that cannot be opened;
/// - "Dateizugriff verweigert" when `outFile` names the input file (also
///   through a link), and the I/O error texts of a failed create, read or
///   write ("Ungültiger Dateiname" for a missing folder or an empty name);
/// - "Gleitkommaüberlauf" for a coordinate too large for a double, read or
///   computed, and "Ungültige Gleitkommaoperation" for a centroid too large
///   to shorten in 64 bits.
void TransformObj(const Transformation& transformation, const std::string& inFile, const std::string& outFile,
                  const CommandView& view);

/// The same command with the work divided as `shape` says: the lines in
/// blocks of `shape.blockBytes` rewritten by `shape.workers` threads, or one
/// after the other on the calling thread when `shape.workers` is 0. Every
/// shape writes the same bytes, shows the same texts and progress and
/// leaves the same decimal separator. The hooks of `view` are called on the
/// calling thread only.
void TransformObj(const Transformation& transformation, const std::string& inFile, const std::string& outFile,
                  const CommandView& view, const PipelineShape& shape);

}  // namespace orthavion
