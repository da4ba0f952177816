#pragma once
#include <QIcon>

/// The toolbar's 16 x 16 images, drawn by the program itself.
QIcon CalculatorIcon();       ///< "Transformation berechnen"
QIcon TexturedSurfaceIcon();  ///< "Wavefront OBJ-Datei  transformieren"
QIcon PrinterIcon();          ///< "Drucken"
QIcon QuestionMarkIcon();     ///< the about box
QIcon AnalysisIcon();        ///< "Auswertung": the residual plot
