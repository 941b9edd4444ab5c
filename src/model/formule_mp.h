// Pressure drop of compressible (isothermal) gas flow in a pipe, for pressurised networks.
//
// Pressures come in and go out as relative pressures in kPa; inside, the formulas work on
// absolute pressures in Pa (1000 x kPa + 101325). Diameters and lengths are in m, flows in
// Nm3/h. The gas properties are those of the gas in use (`GasCorrente`), and the Reynolds
// correction uses the project's initial and final pressures. None of these functions changes
// any state.
#pragma once

#include <cstdint>

namespace varnex {

// Roughness of the pipe for a formula type of the pipe series: 1 (steel) 0.00015 m, any other
// 0.00002 m.
float RugositaTipoFormula(int16_t tipoFormula);

// Drop over a segment in kPa, for inlet pressure p1 (kPa), inner diameter d (m), flow q (Nm3/h),
// length l (m). 0 without diameter, flow or viscosity; -1 when the pipe cannot carry the flow at
// that inlet pressure.
float PerditaMP(float p1, float d, float q, float l, int16_t tipoFormula);

// Drop over one metre in kPa, used to choose a row of the series; same results as PerditaMP.
float PerditaUnitariaMP(float d, float q, float p1, int16_t tipoFormula);

// Outlet pressure in Pa absolute found by the damped iteration, starting from the estimate
// stima0 (Pa absolute); -1 when the flow term exceeds the squared inlet pressure.
double PressioneFinaleIterata(float p1, float q, float d, float l, float stima0, int16_t tipoFormula);

// Friction factor: one Colebrook-White evaluation from an explicit estimate.
float FattoreAttrito(float d, float reynolds, float rugosita);

}  // namespace varnex
