import os
import subprocess
import sys

import kyr
import pytest

SWATCHES = ("examples", "swatches.kyr")


def test_round_trips_give_back_the_same_bytes(sample, tmp_path):
    text = open(sample(*SWATCHES), encoding="utf-8").read()
    document = kyr.load(sample(*SWATCHES))
    assert document.to_xml() == text
    assert kyr.parse(text.encode("utf-8")).to_xml() == text
    for name in ("copy.kyrz", "copy.kyr"):
        document.save(str(tmp_path / name))
        assert kyr.load(str(tmp_path / name)).to_xml() == text


def test_members_values_enums_and_choices(sample):
    document = kyr.load(sample(*SWATCHES))
    assert len(document.colours) == 4 and document.names()[0] == "Poppy red"
    space = document.colours[0].colour_spaces[0]
    assert space.chosen() == kyr.sg_ColorSpace.Member.ColorSpaceCIELab
    assert space.as_colour_space_spectral() is None
    lab = space.chosen_member()
    assert isinstance(lab, kyr.ColorSpaceCIELabType) and (lab.l, lab.a, lab.b) == (53.08, 61.18, 45.29)
    tristimulus = lab.colour_space_specification_spectrum_tristimulus
    assert tristimulus.field_of_view == "FieldOfView_2_Degree"
    tristimulus.field_of_view_enum = type(tristimulus).FieldOfView.FieldOfView_10_Degree
    assert tristimulus.field_of_view == "FieldOfView_10_Degree"
    assert document.colours[-1].colour_name == document.names()[-1]
    with pytest.raises(IndexError):
        document.colours[4]


def test_building_a_document_from_scratch():
    document = kyr.Document()
    colour = document.colours.push_back()
    colour.colour_name = "Ink ✓"
    copy = document.colours.push_back(colour)
    assert [c.colour_name for c in document.colours] == ["Ink ✓", "Ink ✓"]
    copy.colour_name = "Other"
    assert colour.colour_name == "Ink ✓"
    document.colours.erase(1)
    assert copy is not colour and len(document.colours) == 1


def test_removed_objects_raise_reference_error(sample):
    document = kyr.load(sample(*SWATCHES))
    first, second = document.colours[0], document.colours[1]
    spaces = first.colour_spaces
    document.colours.erase(0)
    for use in (lambda: first.colour_name, lambda: len(spaces), lambda: spaces[0]):
        with pytest.raises(ReferenceError):
            use()
    assert second.colour_name == document.colours[0].colour_name
    del document
    assert second.colour_spaces[0].chosen_member().l > 0  # the document lives while its objects do


@pytest.mark.parametrize("text, code, line", [
    ("<x/>", 16, 1),                                                              # not the document element
    ("<?xml version='1.0'?>\n<Kyr:Kyr xmlns:Kyr='http://kyr-format.org/v2'>\n</Kyr:Kyr>", 21, 3),  # no preamble
    ("<Kyr:Kyr xmlns:Kyr='http://kyr-format.org/v2'><Kyr:Preamble>", 34, 1),      # cut short
])
def test_errors_carry_code_line_and_message(text, code, line):
    with pytest.raises(kyr.KyrError) as caught:
        kyr.parse(text)
    error = caught.value
    assert (error.code, error.line) == (code, line) and error.message == str(error)
    assert error.diagnostics == [(code, line, error.message)]


def test_bad_values_and_files_are_refused(tmp_path):
    document = kyr.Document()
    lab = document.colours.push_back().colour_spaces.push_back().choose_colour_space_cie_lab()
    with pytest.raises(kyr.KyrError) as caught:
        lab.l = 150.5
    assert "L" in caught.value.message and lab.l == 0.0
    with pytest.raises(kyr.KyrError):
        kyr.load(str(tmp_path / "missing.kyr"))
    with pytest.raises(kyr.KyrError):
        document.save(str(tmp_path / "incomplete.kyr"))


def test_the_example_tour_runs(sample, tmp_path):
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(os.path.abspath(kyr.__file__))))
    out = subprocess.run([sys.executable, sample("examples", "python_tour.py")], cwd=tmp_path, env=env,
                         check=True, capture_output=True, text=True).stdout
    assert "Garden swatches - 4 colours" in out and out.count("ΔE00 = ") == 2
