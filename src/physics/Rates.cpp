#include "physics/Rates.h"

namespace kinetra::physics {

double broadening(const FalloffParameters& f, double temperature, double reducedPressure) {
    switch (f.form) {
    case FalloffForm::Troe:
        return troeBroadening(f.troe, temperature, reducedPressure);
    case FalloffForm::Sri:
        return sriBroadening(f.sri, temperature, reducedPressure);
    case FalloffForm::Lindemann:
        break;
    }
    return 1;
}

BroadeningSlopes broadeningSlopes(const FalloffParameters& f, double temperature,
                                  double reducedPressure) {
    switch (f.form) {
    case FalloffForm::Troe:
        return troeSlopes(f.troe, temperature, reducedPressure);
    case FalloffForm::Sri:
        return sriSlopes(f.sri, temperature, reducedPressure);
    case FalloffForm::Lindemann:
        break;
    }
    return {};
}

FalloffRate falloffRate(double kHigh, double kLow, double collider, const FalloffParameters& f,
                        double temperature) {
    // A vanishing high-pressure limit leaves the low-pressure rate k0 [M]; guard the quotient.
    if (kHigh <= 0)
        return {kLow * collider, 0};
    const double pr = kLow * collider / kHigh;
    return {kHigh * pr / (1 + pr) * broadening(f, temperature, pr), pr};
}

} // namespace kinetra::physics
