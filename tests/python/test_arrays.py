import kyr
import kyr.colour as colour
import numpy
import pytest

# Sharma, Wu and Dalal's first pairs, with their CIEDE2000 differences.
SHARMA = [((50.0, 2.6772, -79.7751), (50.0, 0.0, -82.7485), 2.0425),
          ((50.0, 3.1571, -77.2803), (50.0, 0.0, -82.7485), 2.8615),
          ((50.0, 2.8361, -74.0200), (50.0, 0.0, -82.7485), 3.4412)]


def test_differences_over_rows_and_single_triples():
    standard = numpy.array([p[0] for p in SHARMA])
    sample = numpy.array([p[1] for p in SHARMA])
    numpy.testing.assert_allclose(colour.delta_e2000(standard, sample), [p[2] for p in SHARMA], atol=5e-5)
    assert colour.delta_e2000(SHARMA[0][0], SHARMA[0][1]) == pytest.approx(2.0425, abs=5e-5)
    assert colour.delta_e76([50, 0, 0], [[50, 3, 4], [50, 0, 0]]).tolist() == [5.0, 0.0]
    with pytest.raises(ValueError):
        colour.delta_e94(numpy.zeros((3, 2)), numpy.zeros((3, 3)))


def test_evaluate_gives_differences_and_verdicts():
    values, verdicts = colour.evaluate([50, 0, 0], [[50, 0, 0.5], [50, 0, 1.5], [50, 0, 3]], 2.0, warning=1.0,
                                       formula="DE76")
    assert values.tolist() == [0.5, 1.5, 3.0]
    assert verdicts.tolist() == [colour.PASS, colour.WARN, colour.FAIL]


def test_spectra_to_xyz_and_lab():
    wavelengths = numpy.arange(380.0, 740.0, 10.0)
    white = colour.tristimulus(wavelengths, numpy.ones((2, wavelengths.size)))
    numpy.testing.assert_allclose(white, [colour.white_point("D50", 2)] * 2, rtol=1e-9)
    reversed_grey = colour.tristimulus(wavelengths[::-1], numpy.full(wavelengths.size, 0.5))
    numpy.testing.assert_allclose(reversed_grey, white[0] / 2, rtol=1e-9)
    numpy.testing.assert_allclose(colour.xyz_to_lab(white[0]), [100, 0, 0], atol=1e-9)
    with pytest.raises(ValueError):
        colour.tristimulus(wavelengths, numpy.ones(3))


def test_document_arrays(sample):
    document = kyr.load(sample("examples", "swatches.kyr"))
    lab = document.lab_array()
    assert lab.shape == (4, 3) and lab[0].tolist() == [53.08, 61.18, 45.29]
    wavelengths, spectra = document.spectra()
    spectral = document.colours[0].colour_spaces[1].as_colour_space_spectral()
    assert wavelengths.tolist() == spectral.wavelengths().tolist() and wavelengths[0] == 400.0
    assert spectra.shape == (4, wavelengths.size) and spectra[0].tolist() == spectral.reflectances().tolist()
    assert not numpy.isnan(spectra).any()
    xyz = document.xyz_array(illuminant="D65", observer=10)
    assert xyz.shape == (4, 3) and not numpy.isnan(xyz).any()
    with pytest.raises(ValueError):
        document.lab_array(observer=4)


def test_quality_control_records(sample):
    results = kyr.load(sample("tests", "data", "colour", "qc.kyr")).evaluate_quality_control()
    assert results and {r["verdict"] for r in results} <= {"pass", "warn", "fail", "not evaluated", "value"}
    assert any(r["verdict"] == "fail" for r in results) and all(r["function"] for r in results)
