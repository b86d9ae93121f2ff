// SPDX-License-Identifier: GPL-2.0-or-later
// A range check for number options of our command-line programs (tallyhawk-query,
// qw-demo-server). CLI::Range compares, and every comparison with NaN is false, so "nan" passed
// it and then broke the conversion to a duration; this check also refuses what is not finite.
#pragma once

#include <CLI/CLI.hpp>
#include <cmath>
#include <sstream>
#include <string>

class FiniteRange : public CLI::Validator
{
public:
    FiniteRange(double minimum, double maximum)
    {
        std::ostringstream description;
        description << "FLOAT in [" << minimum << " - " << maximum << "]";
        Validator::description(description.str());
        func_ = [minimum, maximum](std::string& input) {
            double value = 0;
            if (CLI::detail::lexical_cast(input, value) && std::isfinite(value) &&
                value >= minimum && value <= maximum)
                return std::string();
            std::ostringstream message;
            message << "Value " << input << " not in range " << minimum << " to " << maximum;
            return message.str();
        };
    }
};
