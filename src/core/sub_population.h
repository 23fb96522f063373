#pragma once
// One group of a simulated population: its share and how it moves over model
// time, its level of every categorical variable, and its numeric variables,
// drawn as a multivariate normal through the Cholesky factor of their
// covariance matrix. Model time is in minutes.
#include "base/basic_types.h"
#include "core/square_matrix.h"
#include "core/study_document.h"
#include "core/variable_records.h"

#include <cstdint>
#include <vector>

class tSubPopulation {
public:
    // Builds group `index` (0-based position of its `group` element) and adds
    // one line to the trace list. Levels come by position from the group's
    // `category` children, one per `catvar`; variables by position from its
    // `var` children, at least one per `vardef` (a missing one reads as an
    // empty element). Throws platform::XmlConversionError when an integer
    // attribute holds other text.
    tSubPopulation(int index, const IXMLVexaType& root);

    // Value of a step table at model time t; stores it in the step found (and
    // that step's index in CurrentShareStep when `steps` is ShareSteps). An
    // empty table gives `emptyValue`.
    double EvalDynamics(std::vector<tDynamicsStep>& steps, double t, double emptyValue);
    // Computes, stores and returns the step's rate from its current value.
    // A step whose rate would not be finite (no duration) gets rate 0.
    static double DynamicsRate(tDynamicsStep& step);

    // The group's level of categorical variable k (0-based) equals `level`.
    bool HasLevel(int k, int level) const;

    // Draws one individual into row 0 and column 0 of Matrix.
    void DrawIndividual();
    // Variable i (1-based) of the last individual drawn; 0 outside 1..n.
    double DrawnValue(int i) const;

    // `value` of percent/nominal: the share while the share table is empty.
    double NominalShare() const { return m_nominalShare; }

    double Horizon = 0.0;  // minutes covered by the time courses
    std::int32_t StepCount = 0;
    std::int32_t CurrentShareStep = 0;
    std::int32_t GroupNumber = 0;
    std::vector<std::int32_t> Levels;  // 1-based level per categorical variable
    double Weight = 0.0;
    std::int32_t VariableCount = 0;
    std::vector<tNumVar> Variables;
    tBfMatriz Matrix{0};  // Cholesky factor (or diagonal of deviations)
    TColor Color = 0;
    std::vector<tDynamicsStep> ShareSteps;

private:
    void BuildMatrix(const IXMLVariablesType& populationVariables, const IXMLVariablesType& groupVariables);

    double m_nominalShare = 0.0;
    std::vector<double> m_deviates;  // scratch of DrawIndividual, 1-based
};
