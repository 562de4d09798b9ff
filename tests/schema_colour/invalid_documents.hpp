// The invalid colour documents of tests/data/schema_colour/invalid: each breaks exactly one rule.
// The xmllint fragment names that rule, so a document that fails for some other reason does not
// pass unnoticed; the code is what the library reports for the same fault.
#ifndef KYR_TESTS_SCHEMA_COLOUR_INVALID_DOCUMENTS_HPP
#define KYR_TESTS_SCHEMA_COLOUR_INVALID_DOCUMENTS_HPP

#include <string>
#include <vector>

namespace schema_colour {

struct invalid_document
{
    std::string name;
    int code;
    std::string xmllint_fragment;
};

inline const std::vector<invalid_document> invalid_documents = {
    {"abstract-colour-space-head", 21,
     "'{http://kyr-format.org/v2}ColorSpace': The element declaration is abstract"},
    {"averaging-value-one", 37, "attribute 'AveragingValue': [facet 'minInclusive'] The value '1'"},
    {"cmyk-plus-n-without-color", 21, "ColorSpaceCMYKPlusN': Missing child element(s)"},
    {"color-change-history-without-zone", 22,
     "[facet 'pattern'] The value '2026-03-14T09:30:00' is not accepted"},
    {"color-depth-wrong-case", 38, "[facet 'enumeration'] The value 'colordepth_8'"},
    {"color-without-colour-space", 21, "}Color': Missing child element(s)"},
    {"colorant-contribution-above-one", 36, "Contribution': [facet 'maxInclusive'] The value '1.01'"},
    {"colorant-density-zero", 37,
     "Density': [facet 'minExclusive'] The value '0.0' must be greater than '0'"},
    {"colour-space-without-change-history", 21,
     "Expected is one of ( {http://kyr-format.org/v2}CustomAttribute, "
     "{http://kyr-format.org/v2}ParentColorSpace, {http://kyr-format.org/v2}ChangeHistory )"},
    {"colour-temperature-above-int-max", 36,
     "ColorTemperature': [facet 'maxInclusive'] The value '2147483648'"},
    {"de94-parameter-negative", 37, "Param_h': [facet 'minInclusive'] The value '-0.1'"},
    {"function-tolerance-without-parameters", 21,
     "}Function': Missing child element(s). Expected is ( {http://kyr-format.org/v2}Parameters )"},
    {"generic-without-name", 25, "ColorSpaceGeneric': The attribute 'Name' is required but missing"},
    {"lab-l-above-max", 36, "}L': [facet 'maxInclusive'] The value '150.0001'"},
    {"lab-l-nan", 37, "}L': [facet 'maxInclusive'] The value 'NaN'"},
    {"lch-hue-at-360", 36, "}H': [facet 'maxExclusive'] The value '360' must be less than '360'"},
    {"lch-l-above-max", 36, "}L': [facet 'maxInclusive'] The value '100.5'"},
    {"profile-parameter-name-two-characters", 19, "[facet 'length'] The value has a length of '2'"},
    {"profile-without-direction", 25, "Profile': The attribute 'Direction' is required but missing"},
    {"quality-control-without-standard-and-measurement", 21,
     "ColorQualityControl': Missing child element(s)"},
    {"reflectance-at-minus-one", 37,
     "ReflectancePoint': [facet 'minExclusive'] The value '-1' must be greater than '-1'"},
    {"reflectance-at-ten", 36,
     "ReflectancePoint': [facet 'maxExclusive'] The value '10' must be less than '10'"},
    {"sample-target-unknown", 38, "Target': [facet 'enumeration'] The value 'Target_IT8.7/5'"},
    {"sample-without-substrate", 21, "}Target': This element is not expected"},
    {"specification-without-device-filter", 21, "}DevicePolarization': This element is not expected"},
    {"spot-name-empty", 20, "}Name': [facet 'minLength'] The value has a length of '0'"},
    {"spot-percentage-above-max", 36, "Percentage': [facet 'maxInclusive'] The value '100.5'"},
    {"standard-missing", 21, "StandardAndMeasurement': Missing child element(s)"},
    {"substrate-generic-empty-type", 20, "}Type': [facet 'minLength'] The value has a length of '0'"},
    {"tolerance-type-wrong-case", 38, "ToleranceType': [facet 'enumeration'] The value 'de00'"},
    {"tristimulus-without-field-of-view", 21, "Expected is ( {http://kyr-format.org/v2}FieldOfView )"},
    {"unknown-geometry-empty", 20, "UnknownGeometry': [facet 'minLength'] The value has a length of '0'"},
    {"wavelength-zero", 37,
     "attribute 'Wavelength': [facet 'minExclusive'] The value '0.0' must be greater than '0'"},
    {"white-point-above-one", 36, "CoordinateX': [facet 'maxInclusive'] The value '1.2'"},
    {"xsi-type-outside-family", 44,
     "ColorSpaceCIELabType', specified by xsi:type, is blocked or not validly derived"},
};

} // namespace schema_colour

#endif
