// Our XYZ against argyll's spec2cie, a widely used independent implementation, for smooth and
// steep reflectance spectra at 10 nm from 380 to 730 nm under A, C, D50 and D65 and both
// observers. spec2cie interpolates 5 nm illuminants (C here) linearly to 1 nm, as CIE 15 does,
// so C is compared with that option; E308's own C white differs from it by up to 0.06.
#include "run_command.hpp"

#include <kyr/colour/colorimetry.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace kyr::colour;

TEST(Colorimetry, AgreesWithArgyllSpec2cie)
{
    if (!kyr_test::have_tool("spec2cie"))
        GTEST_SKIP() << "spec2cie (Debian package argyll) is not installed";
    std::vector<double> wavelengths;
    for (int w = 380; w <= 730; w += 10)
        wavelengths.push_back(w);
    // Bumps across the spectrum, ever wider; a red edge as steep as it gets; a falling ramp.
    std::vector<std::vector<double>> spectra(10);
    for (double w : wavelengths) {
        for (int k = 0; k < 8; ++k)
            spectra[k].push_back(0.05 + 0.85 * std::exp(-std::pow((w - 400 - 40 * k) / (30 + 5 * k), 2)));
        spectra[8].push_back(w < 600 ? 0.04 : 0.92);
        spectra[9].push_back(0.9 - 0.8 * (w - 380) / 350);
    }
    // A CGATS .ti3 file with one SPEC_nnn column per band, values as factors (SPECTRAL_NORM 1).
    const std::string in = ::testing::TempDir() + "kyr_spectra_in.ti3",
                      out = ::testing::TempDir() + "kyr_spectra_out.ti3";
    {
        std::ofstream ti3(in);
        ti3 << "CTI3\n\nDESCRIPTOR \"test spectra\"\nORIGINATOR \"kyr tests\"\nCREATED \"Sun Dec  6 00:00:00 "
               "2026\"\n"
               "KEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"OUTPUT\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP "
               "\"RGB_XYZ\"\n"
               "KEYWORD \"SPECTRAL_BANDS\"\nSPECTRAL_BANDS \"36\"\nKEYWORD "
               "\"SPECTRAL_START_NM\"\nSPECTRAL_START_NM \"380\"\n"
               "KEYWORD \"SPECTRAL_END_NM\"\nSPECTRAL_END_NM \"730\"\nKEYWORD "
               "\"SPECTRAL_NORM\"\nSPECTRAL_NORM \"1.0\"\n\n"
               "NUMBER_OF_FIELDS 43\nBEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z";
        for (double w : wavelengths)
            ti3 << " SPEC_" << w;
        ti3 << "\nEND_DATA_FORMAT\n\nNUMBER_OF_SETS 10\nBEGIN_DATA\n";
        for (size_t i = 0; i < spectra.size(); ++i) {
            ti3 << i + 1 << " 0 0 0 0 0 0";
            for (double v : spectra[i])
                ti3 << ' ' << v;
            ti3 << '\n';
        }
        ti3 << "END_DATA\n";
    }
    for (const char* illuminant : {"A", "C", "D50", "D65"})
        for (Observer observer : {Observer::two_degree, Observer::ten_degree}) {
            SCOPED_TRACE(std::string(illuminant) + "/" + std::to_string(observer_degrees(observer)));
            const std::string flags = std::string(" -i ") + illuminant + " -o "
                + (observer == Observer::two_degree ? "1931_2 " : "1964_10 ");
            const auto run = kyr_test::run_command("spec2cie" + flags + in + " " + out);
            ASSERT_EQ(run.status, 0) << run.output;
            ViewingConditions conditions{*illuminant_from_name(illuminant), observer};
            conditions.illuminant_to_1nm = true;
            const WeightingTable table(wavelengths, conditions);
            // Data rows: sample id, R, G, B, then X, Y, Z on a 0 to 1 scale.
            std::ifstream result(out);
            size_t row = 0;
            for (std::string line; std::getline(result, line);) {
                std::istringstream fields(line);
                double id, r, g, b, x, y, z;
                if (line.rfind("BEGIN", 0) == 0 || !(fields >> id >> r >> g >> b >> x >> y >> z) || row >= 10)
                    continue;
                const XYZ ours = table.apply(spectra[row++].data());
                EXPECT_NEAR(ours.X, 100 * x, 0.01) << "spectrum " << row;
                EXPECT_NEAR(ours.Y, 100 * y, 0.01) << "spectrum " << row;
                EXPECT_NEAR(ours.Z, 100 * z, 0.01) << "spectrum " << row;
            }
            EXPECT_EQ(row, 10u);
        }
}
