// A C# program that uses the library through its flat exports only: it builds
// a document with one colour in two colour spaces, writes and reads it as a
// string and as a ".kyrz" container, provokes each refused-argument message,
// reads the build constants, and deletes everything it created.
//
//     mono KyrClient.exe LIBRARY_FILE WORK_DIR EXPORT_LIST
using System;
using System.IO;
using static KyrModulePINVOKE;

static class KyrClient
{
    const string Stamp = "2026-12-05T12:00:00Z";
    const string ColourName = "Harbour blu\u00e9 \U0001F600";

    static int Main(string[] args)
    {
        Callbacks.Register();
        CheckEntryPoints(args[0], File.ReadAllLines(args[2]).Length);
        CheckConstants();
        IntPtr document = BuildDocument();
        string xml = CheckWriteString(document);
        CheckLoadString(xml);
        CheckContainer(document, Path.Combine(args[1], "client.kyrz"));
        CheckRefusedArguments(document);
        CheckRuntimeValues();
        CheckIdentitySetter();
        delete_Kyr(document);
        Checks.Equal(0, Callbacks.Raised.Count, "no unexpected callback (" + string.Join("; ", Callbacks.Raised) + ")");
        Console.WriteLine("{0} passed, {1} failed", Checks.Passed, Checks.Failed);
        return Checks.Failed == 0 ? 0 : 1;
    }

    // The export list names every function the library exports for C#.
    static void CheckEntryPoints(string library, int exports)
    {
        int declared;
        var missing = EntryPoints.Unresolved(library, out declared);
        Checks.Equal(exports, declared, "declared entry points");
        Checks.True(missing.Count == 0, "unresolved entry points: " + string.Join(", ", missing));
        // and Mono's own loader binds every declaration to the library named "kyr"
        string failure = null;
        try {
            System.Runtime.InteropServices.Marshal.PrelinkAll(typeof(KyrModulePINVOKE));
        } catch (Exception error) {
            failure = error.GetType().Name + ": " + error.Message;
        }
        Checks.Equal(null, failure, "prelinking every declaration");
    }

    static void CheckConstants()
    {
        Checks.Equal(0, LMXNULL_get(), "LMXNULL");
        Checks.Equal(0, LMX_ATOFLOAT_MODE_DEFAULT_get(), "LMX_ATOFLOAT_MODE_DEFAULT");
        Checks.Equal(1, LMX_ATOFLOAT_MODE_USE_FACET_get(), "LMX_ATOFLOAT_MODE_USE_FACET");
        Checks.Equal(2, LMX_ATOFLOAT_MODE_IOSTREAM_get(), "LMX_ATOFLOAT_MODE_IOSTREAM");
        Checks.Equal(3, LMX_ATOFLOAT_MODE_SIMPLE_get(), "LMX_ATOFLOAT_MODE_SIMPLE");
        Checks.Equal(0, LMX_ATOFLOAT_MODE_get(), "LMX_ATOFLOAT_MODE");
        Checks.Equal(0, LMX_NARROW_UNICODE_STRINGS_get(), "LMX_NARROW_UNICODE_STRINGS");
        Checks.Equal(0, LMX_USE_EXCEPTIONS_get(), "LMX_USE_EXCEPTIONS");
        Checks.Equal(1, LMX_VALIDATE_PATTERNS_get(), "LMX_VALIDATE_PATTERNS");
        Checks.Equal(1, LMX_WANT_DECIMAL_FLOAT_SET_get(), "LMX_WANT_DECIMAL_FLOAT_SET");
        Checks.Equal(0, LMX_WANT_DLL_get(), "LMX_WANT_DLL");
        Checks.Equal(0, LMX_WANT_GEN_IMPORT_DLL_get(), "LMX_WANT_GEN_IMPORT_DLL");
        Checks.Equal(1, LMX_XML_STRICT_get(), "LMX_XML_STRICT");
    }

    // The measurement conditions an L*a*b* or sRGB value needs.
    static IntPtr Conditions(IntPtr stamp)
    {
        IntPtr conditions = new_ColorSpaceSpecificationSpectrumTristimulusType__SWIG_0();
        IntPtr spectral = ColorSpaceSpecificationSpectrumTristimulusTypeUpcast(conditions);
        IntPtr specification = ColorSpaceSpecificationSpectrumTypeUpcast(spectral);
        Checks.Equal(conditions, spectral, "Upcast returns its argument");

        IntPtr filter = new_DeviceFilterType__SWIG_0();
        Checks.Equal(0, DeviceFilterType_set_DeviceFilterType(filter, "Filter_None"), "set_DeviceFilterType");
        ColorSpaceSpecificationType_assign_DeviceFilter(specification, filter);
        delete_DeviceFilterType(filter);

        IntPtr polarization = new_DevicePolarization__SWIG_0();
        DevicePolarization_set_DevicePolarization(polarization, false);
        ColorSpaceSpecificationType_assign_DevicePolarization(specification, polarization);
        delete_DevicePolarization(polarization);
        ColorSpaceSpecificationType_append_ChangeHistory(specification, stamp);

        IntPtr spectrum = new_SpectrumType__SWIG_0();
        Checks.Equal(0, SpectrumType_set_SpectrumType(spectrum, "Spectrum_Reflectance"), "set_SpectrumType");
        ColorSpaceSpecificationSpectrumType_assign_Spectrum(spectral, spectrum);
        delete_SpectrumType(spectrum);

        IntPtr illuminant = new_Illuminant__SWIG_0();
        Checks.Equal(0, Illuminant_set_Illuminant(illuminant, "Illuminant_D50"), "set_Illuminant");
        IntPtr options = new_IlluminationOptionsType__SWIG_0();
        IlluminationOptionsType_assign_Illuminant(options, illuminant);
        ColorSpaceSpecificationSpectrumTristimulusType_assign_IlluminationOptions(conditions, options);
        delete_IlluminationOptionsType(options);
        delete_Illuminant(illuminant);
        Checks.Equal(0, ColorSpaceSpecificationSpectrumTristimulusType_set_FieldOfView(conditions, "FieldOfView_2_Degree"),
                     "set_FieldOfView");
        return conditions;
    }

    static IntPtr BuildDocument()
    {
        IntPtr stamp = new_c_datetime__SWIG_1(Stamp);
        IntPtr document = new_Kyr__SWIG_0();

        IntPtr header = new_Header__SWIG_0();
        Header_set_Creator(header, "C# client");
        Header_set_CreatorVersion(header, "1.0");
        Checks.Equal(0, Header_append_ChangeHistory(header, stamp), "append_ChangeHistory");
        Header_set_Purpose(header, "Interop check");
        IntPtr preamble = new_Preamble__SWIG_0();
        Preamble_assign_Header(preamble, header);
        Kyr_assign_Preamble(document, preamble);
        delete_Preamble(preamble);
        delete_Header(header);

        Checks.Equal(0, Kyr_append_Color(document), "append_Color");
        IntPtr colour = Kyr_get_Color__SWIG_0(document, 0);
        Checks.Equal(colour, Kyr_back_Color(document), "back_Color is entry 0");
        ColorType_set_ColorName(colour, ColourName);
        ColorType_append_ChangeHistory(colour, stamp);

        IntPtr conditions = Conditions(stamp);
        IntPtr lab = new_ColorSpaceCIELabType__SWIG_0();
        ColorSpaceType_append_ChangeHistory(ColorSpaceCIELabTypeUpcast(lab), stamp);
        ColorSpaceCIELabType_assign_ColorSpaceSpecificationSpectrumTristimulus(lab, conditions);
        ColorSpaceCIELabType_set_L(lab, 52.5);
        ColorSpaceCIELabType_set_A(lab, -4.25);
        ColorSpaceCIELabType_set_B(lab, -28.0);

        IntPtr rgb = new_ColorSpaceSRGBType__SWIG_0();
        ColorSpaceType_append_ChangeHistory(ColorSpaceSRGBTypeUpcast(rgb), stamp);
        ColorSpaceSRGBType_assign_ColorSpaceSpecificationSpectrumTristimulus(rgb, conditions);
        ColorSpaceSRGBType_set_Red(rgb, 0.125);
        ColorSpaceSRGBType_set_Green(rgb, 0.375);
        ColorSpaceSRGBType_set_Blue(rgb, 0.625);
        Checks.True(!ColorSpaceSRGBType_setenum_ColorDepth(rgb, 0), "setenum_ColorDepth(0) is refused");
        Checks.True(ColorSpaceSRGBType_setenum_ColorDepth(rgb, 2), "setenum_ColorDepth(2)");
        Checks.Equal("ColorDepth_8", ColorSpaceSRGBType_get_ColorDepth(rgb), "get_ColorDepth");
        Checks.Equal(38, ColorSpaceSRGBType_set_ColorDepth(rgb, "ColorDepth_7"), "set_ColorDepth outside the enumeration");

        ColorType_append_ColorSpace(colour);
        ColorType_append_ColorSpace(colour);
        Checks.Equal(2u, ColorType_size_ColorSpace(colour), "size_ColorSpace");
        IntPtr first = ColorType_get_ColorSpace__SWIG_0(colour, 0);
        IntPtr second = ColorType_get_ColorSpace__SWIG_0(colour, 1);
        sg_ColorSpace_assign_ColorSpaceCIELab(first, lab);
        sg_ColorSpace_assign_ColorSpaceSRGB(second, rgb);
        Checks.Equal(12, sg_ColorSpace_getchosen(first), "chosen member CIELab");
        Checks.Equal(6, sg_ColorSpace_getchosen(second), "chosen member SRGB");

        delete_ColorSpaceSRGBType(rgb);
        delete_ColorSpaceCIELabType(lab);
        delete_ColorSpaceSpecificationSpectrumTristimulusType(conditions);
        delete_c_datetime(stamp);
        return document;
    }

    static string CheckWriteString(IntPtr document)
    {
        IntPtr result = Kyr_writeString(document);
        Checks.Equal(0, XMLDocumentResult_getElmxError(result), "writeString code");
        string xml = XMLDocumentResult_getXmlDocument(result);
        delete_XMLDocumentResult(result);
        Checks.True(xml.StartsWith("<?xml"), "document starts with the XML declaration");
        Checks.True(xml.Contains("<Kyr:ColorSpaceCIELab>"), "document holds the L*a*b* value");
        Checks.True(xml.Contains("<Kyr:ColorSpaceSRGB>"), "document holds the sRGB value");
        Checks.True(xml.Contains("Kyr2-LMX-3.7.6"), "document names the writing library");
        Checks.True(xml.Contains(ColourName), "colour name crosses both ways as UTF-16");

        IntPtr fresh = new_Kyr__SWIG_0();
        IntPtr failed = Kyr_writeString(fresh);
        Checks.Equal(46, XMLDocumentResult_getElmxError(failed), "writeString of a fresh document");
        Checks.Equal("", XMLDocumentResult_getXmlDocument(failed), "failed write holds no text");
        delete_XMLDocumentResult(failed);
        delete_Kyr(fresh);

        IntPtr made = new_XMLDocumentResult(null, 7);
        Checks.Equal("", XMLDocumentResult_getXmlDocument(made), "null text reads as empty");
        Checks.Equal(7, XMLDocumentResult_getElmxError(made), "result code");
        delete_XMLDocumentResult(made);
        return xml;
    }

    // The values of a document read back: one colour, L*a*b* then sRGB.
    static void CheckValues(IntPtr document, string how)
    {
        Checks.Equal(1u, Kyr_size_Color(document), how + ": colours");
        IntPtr colour = Kyr_get_Color__SWIG_0(document, 0);
        Checks.Equal(ColourName, ColorType_get_ColorName(colour), how + ": colour name");
        Checks.Equal(2u, ColorType_size_ColorSpace(colour), how + ": colour spaces");
        IntPtr first = ColorType_get_ColorSpace__SWIG_0(colour, 0);
        IntPtr second = ColorType_get_ColorSpace__SWIG_0(colour, 1);
        Checks.Equal(12, sg_ColorSpace_getchosen(first), how + ": first member");
        IntPtr lab = sg_ColorSpace_get_ColorSpaceCIELab__SWIG_0(first);
        Checks.Equal(52.5, ColorSpaceCIELabType_get_L(lab), how + ": L");
        Checks.Equal(-4.25, ColorSpaceCIELabType_get_A(lab), how + ": a");
        Checks.Equal(-28.0, ColorSpaceCIELabType_get_B(lab), how + ": b");
        Checks.Equal(6, sg_ColorSpace_getchosen(second), how + ": second member");
        IntPtr rgb = sg_ColorSpace_get_ColorSpaceSRGB__SWIG_0(second);
        Checks.Equal(0.375, ColorSpaceSRGBType_get_Green(rgb), how + ": green");
        Checks.Equal(2, ColorSpaceSRGBType_getenum_ColorDepth(rgb), how + ": colour depth");
        IntPtr type = ColorSpaceType_getid(ColorSpaceCIELabTypeUpcast(lab));
        Checks.Equal(ColorSpaceCIELabType_id_get(), type, how + ": type identity");
        Checks.Equal("ColorSpaceCIELabType", System.Runtime.InteropServices.Marshal.PtrToStringAnsi(type),
                     how + ": identity text");
        Checks.True(ColorSpaceType_has_id(ColorSpaceCIELabTypeUpcast(lab), ColorSpaceType_id_get()),
                    how + ": is a colour-space type");
    }

    // A class identity set from here is a library-owned copy of the text that
    // new objects of the class report and that the base's is-a test accepts.
    static void CheckIdentitySetter()
    {
        ColorSpaceCMYKType_id_set("RenamedCMYK");
        IntPtr renamed = ColorSpaceCMYKType_id_get();
        Checks.Equal("RenamedCMYK", System.Runtime.InteropServices.Marshal.PtrToStringAnsi(renamed), "identity set");
        IntPtr cmyk = new_ColorSpaceCMYKType__SWIG_0();
        Checks.Equal(renamed, ColorSpaceType_getid(ColorSpaceCMYKTypeUpcast(cmyk)), "new identity reported");
        Checks.True(ColorSpaceType_has_id(ColorSpaceCMYKTypeUpcast(cmyk), ColorSpaceType_id_get()),
                    "still a colour-space type");
        delete_ColorSpaceCMYKType(cmyk);
        ColorSpaceCMYKType_id_set("ColorSpaceCMYKType");
    }

    static void CheckLoadString(string xml)
    {
        IntPtr document = new_Kyr__SWIG_0();
        Checks.Equal(0, Kyr_loadString(document, xml), "loadString");
        CheckValues(document, "loadString");
        delete_Kyr(document);

        IntPtr broken = new_Kyr__SWIG_0();
        Checks.True(Kyr_loadString(broken, "<Kyr:Kyr") != 0, "loadString of broken text fails");
        delete_Kyr(broken);
    }

    static void CheckContainer(IntPtr document, string path)
    {
        File.Delete(path);
        Checks.Equal(0, Kyr_writeFile(document, path), "writeFile .kyrz");
        byte[] head = File.ReadAllBytes(path);
        Checks.True(head.Length > 4 && head[0] == 'P' && head[1] == 'K', "container is a zip archive");
        Checks.True(!File.Exists(Path.ChangeExtension(path, ".kyr")), "no staged file left behind");
        IntPtr loaded = new_Kyr__SWIG_0();
        Checks.Equal(0, Kyr_loadFile(loaded, path), "loadFile .kyrz");
        CheckValues(loaded, "loadFile");
        delete_Kyr(loaded);
        File.Delete(path);

        Checks.Equal(1001, Kyr_writeFile(document, Path.ChangeExtension(path, ".txt")), "writeFile of another ending");
        IntPtr missing = new_Kyr__SWIG_0();
        Checks.Equal(1, Kyr_loadFile(missing, Path.ChangeExtension(path, ".kyr")), "loadFile of a missing file");
        delete_Kyr(missing);
    }

    // Each refusal raises the argument-null callback once with its message.
    static void CheckRefusedArguments(IntPtr document)
    {
        Callbacks.Clear();
        IntPtr pattern = new_c_pattern("[a-z]+");
        Checks.True(!c_pattern_is_match__SWIG_0(pattern, null), "is_match(null) answers false");
        Checks.True(c_pattern_is_match__SWIG_0(pattern, "abc"), "is_match(abc)");
        delete_c_pattern(pattern);
        Checks.Equal(IntPtr.Zero, new_Kyr__SWIG_1(IntPtr.Zero), "copy of null gives 0");
        Kyr_swap(document, IntPtr.Zero);
        IntPtr header = new_Header__SWIG_0();
        Checks.Equal(0, Header_insert_ChangeHistory(header, 0, IntPtr.Zero), "insert_ChangeHistory(null) gives 0");
        Checks.Equal(0u, Header_size_ChangeHistory(header), "nothing inserted");
        delete_Header(header);
        string[] expected = {
            "null string",
            "com_kyrandel_v2::Kyr const & type is null",
            "com_kyrandel_v2::Kyr & type is null",
            "lmx::tc_datetime const & type is null",
        };
        Checks.Equal(expected.Length, Callbacks.ArgumentNull.Count, "argument-null callbacks");
        for (int i = 0; i < expected.Length && i < Callbacks.ArgumentNull.Count; ++i)
            Checks.Equal(expected[i], Callbacks.ArgumentNull[i], "argument-null message " + i);
        Callbacks.Clear();

        IntPtr colour = new_ColorType__SWIG_0();
        Checks.Equal(0, ColorType_set_ColorName(colour, null), "null wide string is the empty string");
        Checks.Equal("", ColorType_get_ColorName(colour), "empty colour name");
        delete_ColorType(colour);
        delete_Kyr(IntPtr.Zero);
        Checks.Equal(0, Callbacks.ArgumentNull.Count, "null wide strings and deletes raise nothing");
    }

    static void CheckRuntimeValues()
    {
        Checks.Equal("No Error", System.Runtime.InteropServices.Marshal.PtrToStringAnsi(get_error_description(0)),
                     "description of 0");
        Checks.Equal("min/max occurs error on marshaling",
                     System.Runtime.InteropServices.Marshal.PtrToStringAnsi(get_error_description(46)),
                     "description of 46");

        IntPtr big = new_c_big_int__SWIG_1("+0042");
        Checks.Equal("42", NarrowText.Take(c_big_int_get_as_string(big)), "c_big_int text");
        Checks.Equal(42, c_big_int_get__SWIG_1(big), "c_big_int value");
        delete_c_big_int(big);

        IntPtr dec = new_c_decimal__SWIG_3(1205, 3);
        Checks.Equal("1.205", NarrowText.Take(c_decimal_get_as_string(dec)), "c_decimal text");
        Checks.Equal(120, c_decimal_get_scaled__SWIG_1(dec, 2), "c_decimal scaled, truncated");
        delete_c_decimal(dec);

        IntPtr duration = new_c_duration__SWIG_1("PT90M");
        c_duration_normalize(duration);
        Checks.Equal("PT1H30M", NarrowText.Take(c_duration_get_as_string(duration)), "normalised duration");
        delete_c_duration(duration);

        IntPtr info = new_c_any_info__SWIG_1("urn:x", "note", "<note/>");
        Checks.Equal("note", NarrowText.Take(c_any_info_get_name(info)), "c_any_info name");
        delete_c_any_info(info);

        Checks.Equal("h\u00e9", NarrowText.Take(convert_to_narrow__SWIG_0("h\u00e9")), "convert_to_narrow");
        Checks.Equal("h\u00e9", convert_to_wide__SWIG_0("h\u00e9"), "convert_to_wide");
        Checks.Equal(4u, length("a\u00e9\u20ac\U0001F600"), "length in characters");

        IntPtr binary = new_c_binary__SWIG_0();
        c_binary_from_hex(binary, "0aFF");
        Checks.Equal(2u, c_binary_size(binary), "binary size");
        Checks.Equal(0xFFu, c_binary_at__SWIG_0(binary, 1), "binary byte");
        Checks.Equal(0u, c_binary_at__SWIG_0(binary, 2), "index beyond the end gives 0");
        Checks.Equal(1, Callbacks.Raised.Count, "index beyond the end raises one callback");
        Checks.True(Callbacks.Raised.Count == 1 && Callbacks.Raised[0].StartsWith("IndexOutOfRange: "),
                    "the index-out-of-range callback");
        Callbacks.Clear();
        delete_c_binary(binary);

        IntPtr empty = new_c_empty();
        Checks.True(empty != IntPtr.Zero, "c_empty");
        delete_c_empty(empty);
    }
}
