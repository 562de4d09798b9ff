// Reads the bundled swatch book through Kyr.dll, prints every colour's name and
// L*a*b* values, adds a colour and saves the book as a ".kyrz" container.
//
//     mcs -r:Kyr.dll swatch_book.cs && mono swatch_book.exe examples/swatches.kyr garden.kyrz
using System;
using System.Globalization;

static class SwatchBook
{
    // A colour may carry several values; print the ones in CIE L*a*b*.
    static void PrintLab(ColorType colour)
    {
        for (uint i = 0; i < colour.size_ColorSpace(); ++i) {
            sg_ColorSpace value = colour.get_ColorSpace(i);
            if (value.getchosen() != sg_ColorSpace.elmx_chosen.ec_ColorSpaceCIELab)
                continue;
            ColorSpaceCIELabType lab = value.get_ColorSpaceCIELab();
            Console.WriteLine(string.Format(CultureInfo.InvariantCulture, "{0,-20} L*={1,7:F2}  a*={2,7:F2}  b*={3,7:F2}",
                                            colour.get_ColorName(), lab.get_L(), lab.get_A(), lab.get_B()));
        }
    }

    static int Main(string[] args)
    {
        if (args.Length != 2) {
            Console.Error.WriteLine("usage: swatch_book IN.kyr OUT.kyrz");
            return 2;
        }
        // Dispose deletes the document at once; references into it must not be used afterwards.
        using (var document = new Kyr()) {
            elmx_error error = document.loadFile(args[0]);
            if (error != elmx_error.ELMX_OK) {
                Console.Error.WriteLine("{0}: {1}", args[0], KyrModule.get_error_description(error));
                return 1;
            }
            for (uint i = 0; i < document.size_Color(); ++i)
                PrintLab(document.get_Color(i));
            for (uint p = 0; p < document.size_Palette(); ++p) {
                PaletteType palette = document.get_Palette(p);
                for (uint s = 0; s < palette.size_ColorSet(); ++s) {
                    for (uint c = 0; c < palette.get_ColorSet(s).size_Color(); ++c)
                        PrintLab(palette.get_ColorSet(s).get_Color(c));
                }
            }

            // The new colour is measured under the same conditions as the first one.
            ColorSpaceCIELabType first = document.get_Color(0).get_ColorSpace(0).get_ColorSpaceCIELab();
            using (var stamp = new c_datetime("2026-12-06T09:00:00Z"))
            using (var lab = new ColorSpaceCIELabType()) {
                lab.append_ChangeHistory(stamp);
                lab.assign_ColorSpaceSpecificationSpectrumTristimulus(first.get_ColorSpaceSpecificationSpectrumTristimulus());
                lab.set_L(32.5);
                lab.set_A(-4.0);
                lab.set_B(-28.0);
                document.append_Color();
                ColorType added = document.back_Color();
                added.set_ColorName("Deep water");
                added.append_ChangeHistory(stamp);
                added.append_ColorSpace();
                added.back_ColorSpace().assign_ColorSpaceCIELab(lab);
                PrintLab(added);
            }

            // The ".kyrz" ending makes writeFile store the document in a zip container.
            error = document.writeFile(args[1]);
            if (error != elmx_error.ELMX_OK) {
                Console.Error.WriteLine("{0}: {1}", args[1], KyrModule.get_error_description(error));
                return 1;
            }
            Console.WriteLine("saved {0} colours to {1}", document.size_Color(), args[1]);
        }
        return 0;
    }
}
