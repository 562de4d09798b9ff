// A C# program that uses the library through the proxies of Kyr.dll only.
//
//     mono KyrClient.exe client LIBRARY_FILE WORK_DIR EXPORT_LIST SAMPLE
//     mono KyrClient.exe memory SAMPLE
using System;
using System.IO;
using System.Linq;
using System.Reflection;
using System.Runtime.InteropServices;

static class KyrClient
{
    const string Stamp = "2026-12-05T12:00:00Z";
    const string ColourName = "Harbour blu\u00e9 \U0001F600";
    const elmx_error OK = elmx_error.ELMX_OK;

    static int Main(string[] args)
    {
        if (args[0] == "memory")
            return MemoryLoop.Run(args[1]);
        // before anything else: the callbacks are registered by the first call
        Checks.Throws<ArgumentNullException>("com_kyrandel_v2::Kyr const & type is null", () => new Kyr(null),
                                             "copy of null");
        CheckEntryPoints(args[1], File.ReadAllLines(args[3]).Length);
        using (Kyr document = BuildDocument()) {
            CheckStrings(document, Path.Combine(args[2], "strings.kyr"));
            CheckContainer(document, Path.Combine(args[2], "client.kyrz"));
            CheckRefusedArguments(document);
        }
        CheckSampleRoundTrip(args[4], args[2]);
        CheckDisposal(args[4]);
        CheckEveryCallback();
        CheckRuntimeValues();
        CheckIdentitySetter();
        Console.WriteLine("{0} passed, {1} failed", Checks.Passed, Checks.Failed);
        return Checks.Failed == 0 ? 0 : 1;
    }

    static Kyr Load(string path)
    {
        var document = new Kyr();
        Checks.Equal(OK, document.loadFile(path), "loadFile " + Path.GetFileName(path));
        return document;
    }

    // Every declaration binds to an export of the library, and the export list names them all.
    static void CheckEntryPoints(string library, int exports)
    {
        Type declarations = typeof(KyrModule).Assembly.GetType("KyrModulePINVOKE");
        int declared;
        var missing = EntryPoints.Unresolved(declarations, library, out declared);
        Checks.Equal(exports, declared, "declared entry points");
        Checks.True(missing.Count == 0, "unresolved entry points: " + string.Join(", ", missing));
        string failure = null;
        try {
            Marshal.PrelinkAll(declarations);
        } catch (Exception error) {
            failure = error.GetType().Name + ": " + error.Message;
        }
        Checks.Equal(null, failure, "prelinking every declaration");
        int[] constants = { KyrModule.LMXNULL, KyrModule.LMX_ATOFLOAT_MODE_SIMPLE, KyrModule.LMX_ATOFLOAT_MODE,
                            KyrModule.LMX_NARROW_UNICODE_STRINGS, KyrModule.LMX_VALIDATE_PATTERNS, KyrModule.LMX_XML_STRICT };
        Checks.Equal("0 3 0 0 1 1", string.Join(" ", constants), "build constants");
    }

    // One colour in L*a*b* and sRGB under D50 conditions, built through the proxies.
    static Kyr BuildDocument()
    {
        var stamp = new c_datetime(Stamp);
        var header = new Header();
        header.set_Creator("C# client");
        header.set_CreatorVersion("1.0");
        Checks.Equal(OK, header.append_ChangeHistory(stamp), "append_ChangeHistory");
        header.set_Purpose("Interop check");
        var document = new Kyr();
        document.assign_Preamble(new Preamble()).assign_Header(header);
        document.append_Color();
        ColorType colour = document.back_Color();
        colour.set_ColorName(ColourName);
        colour.append_ChangeHistory(stamp);

        var conditions = new ColorSpaceSpecificationSpectrumTristimulusType();
        ColorSpaceSpecificationType baseConditions = conditions;  // the proxy upcast
        baseConditions.assign_DeviceFilter(new DeviceFilterType()).set_DeviceFilterType("Filter_None");
        baseConditions.assign_DevicePolarization(new DevicePolarization()).set_DevicePolarization(false);
        baseConditions.append_ChangeHistory(stamp);
        conditions.assign_Spectrum(new SpectrumType()).set_SpectrumType("Spectrum_Reflectance");
        conditions.assign_IlluminationOptions(new IlluminationOptionsType()).assign_Illuminant(new Illuminant())
            .set_Illuminant("Illuminant_D50");
        conditions.set_FieldOfView("FieldOfView_2_Degree");

        var lab = new ColorSpaceCIELabType();
        lab.append_ChangeHistory(stamp);
        lab.assign_ColorSpaceSpecificationSpectrumTristimulus(conditions);
        lab.set_L(52.5);
        lab.set_A(-4.25);
        lab.set_B(-28);
        Checks.Equal(elmx_error.ELMX_VALUE_EXCEEDS_MAX, lab.set_L(150.5), "L beyond its maximum");
        var rgb = new ColorSpaceSRGBType();
        rgb.append_ChangeHistory(stamp);
        rgb.assign_ColorSpaceSpecificationSpectrumTristimulus(conditions);
        rgb.set_Red(0.125);
        rgb.set_Green(0.375);
        rgb.set_Blue(0.625);
        Checks.True(!rgb.setenum_ColorDepth(ColorSpaceSRGBType.Eenum_ColorDepth.Eenum_ColorDepth_none), "setenum none");
        Checks.True(rgb.setenum_ColorDepth(ColorSpaceSRGBType.Eenum_ColorDepth.Eenum_ColorDepth_ColorDepth_8), "setenum 8");
        Checks.Equal("ColorDepth_8", rgb.get_ColorDepth(), "get_ColorDepth");
        colour.append_ColorSpace();
        colour.append_ColorSpace();
        colour.get_ColorSpace(0).assign_ColorSpaceCIELab(lab);
        colour.get_ColorSpace(1).assign_ColorSpaceSRGB(rgb);
        using (ColorSpaceCIELabType copy = lab.clone()) {
            copy.set_L(10);
            Checks.Equal(52.5, colour.get_ColorSpace(0).get_ColorSpaceCIELab().get_L(), "a clone is a copy");
            Checks.True(copy.has_id(ColorSpaceType.id_get()), "a clone is a colour-space type");
        }
        return document;
    }

    // The values of the document read back: one colour, L*a*b* then sRGB.
    static void CheckValues(Kyr document, string how)
    {
        Checks.Equal(1u, document.size_Color(), how + ": colours");
        ColorType colour = document.get_Color(0);
        Checks.Equal(ColourName, colour.get_ColorName(), how + ": colour name");
        sg_ColorSpace first = colour.get_ColorSpace(0), second = colour.get_ColorSpace(1);
        Checks.Equal(sg_ColorSpace.elmx_chosen.ec_ColorSpaceCIELab, first.getchosen(), how + ": first member");
        ColorSpaceCIELabType lab = first.get_ColorSpaceCIELab();
        Checks.True(new[] { 52.5, -4.25, -28 }.SequenceEqual(new[] { lab.get_L(), lab.get_A(), lab.get_B() }), how + ": L*a*b*");
        Checks.Equal(sg_ColorSpace.elmx_chosen.ec_ColorSpaceSRGB, second.getchosen(), how + ": second member");
        Checks.Equal(0.375, second.get_ColorSpaceSRGB().get_Green(), how + ": green");
        Checks.Equal(ColorSpaceSRGBType.Eenum_ColorDepth.Eenum_ColorDepth_ColorDepth_8,
                     second.get_ColorSpaceSRGB().getenum_ColorDepth(), how + ": colour depth");
        Checks.Equal("ColorSpaceCIELabType", Marshal.PtrToStringAnsi(lab.getid()), how + ": type identity");
    }

    // Text beyond the Basic Multilingual Plane crosses as a surrogate pair and is
    // written as one four-byte UTF-8 sequence.
    static void CheckStrings(Kyr document, string path)
    {
        using (XMLDocumentResult result = document.writeString()) {
            Checks.Equal(OK, result.getElmxError(), "writeString");
            using (var loaded = new Kyr()) {
                Checks.Equal(OK, loaded.loadString(result.getXmlDocument()), "loadString");
                CheckValues(loaded, "loadString");
            }
        }
        Checks.Equal(OK, document.writeFile(path), "writeFile .kyr");
        byte[] bytes = File.ReadAllBytes(path);
        Checks.True(File.ReadAllText(path).Contains("ColorName=\"" + ColourName + "\""), "UTF-8 of the name");
        Checks.Equal(1, bytes.Where((b, i) => b == 0xF0 && bytes[i + 1] == 0x9F && bytes[i + 2] == 0x98).Count(),
                     "one four-byte sequence");
        using (Kyr loaded = Load(path))
            CheckValues(loaded, "loadFile");
        using (var loaded = new Kyr()) {
            string xml = File.ReadAllText(path).Replace(ColourName, "&#x1F33A; &#xE9;");
            Checks.Equal(OK, loaded.loadString(xml), "loadString with character references");
            Checks.Equal("\U0001F33A \u00e9", loaded.get_Color(0).get_ColorName(), "referenced characters");
        }
        Checks.Equal("h\U0001F600", KyrModule.convert_to_narrow("h\U0001F600"), "narrow COM string");
        Checks.Equal(4u, KyrModule.length("a\u00e9\u20ac\U0001F600"), "length in characters");
        using (var colour = new ColorType()) {
            Checks.Equal(OK, colour.set_ColorName(null), "null wide string");
            Checks.Equal("", colour.get_ColorName(), "null wide string is the empty string");
        }
    }

    static void CheckContainer(Kyr document, string path)
    {
        File.Delete(path);
        Checks.Equal(OK, document.writeFile(path), "writeFile .kyrz");
        Checks.True(File.ReadAllBytes(path).Take(2).SequenceEqual(new byte[] { (byte) 'P', (byte) 'K' }), "zip archive");
        Checks.True(!File.Exists(Path.ChangeExtension(path, ".kyr")), "no staged file left behind");
        using (Kyr loaded = Load(path))
            CheckValues(loaded, "loadFile .kyrz");
        Checks.Equal(elmx_error.ELMX_USER_DEFINED_2, document.writeFile(Path.ChangeExtension(path, ".txt")),
                     "writeFile of another ending");
        using (var missing = new Kyr())
            Checks.Equal(elmx_error.ELMX_NO_FILE, missing.loadFile(path + ".missing"), "loadFile of a missing file");
        using (var fresh = new Kyr())
        using (XMLDocumentResult failed = fresh.writeString()) {
            Checks.Equal(elmx_error.ELMX_OCCURRENCE_ERROR_ON_MARSHAL, failed.getElmxError(), "writeString of nothing");
            Checks.Equal("", failed.getXmlDocument(), "failed write holds no text");
        }
        using (var made = new XMLDocumentResult(null, elmx_error.ELMX_BAD_CHOICE))
            Checks.Equal("7 ", (int) made.getElmxError() + " " + made.getXmlDocument(), "null text reads as empty");
    }

    // The sample read and written through the assembly, via a container, comes back byte for byte.
    static void CheckSampleRoundTrip(string sample, string work)
    {
        string kyrz = Path.Combine(work, "sample.kyrz"), kyr = Path.Combine(work, "sample.kyr");
        using (Kyr document = Load(sample)) {
            Checks.Equal("Poppy red", document.get_Color(0).get_ColorName(), "first sample colour");
            Checks.Equal(OK, document.writeFile(kyrz), "sample to .kyrz");
        }
        using (Kyr document = Load(kyrz))
            Checks.Equal(OK, document.writeFile(kyr), "sample to .kyr");
        Checks.True(File.ReadAllBytes(sample).SequenceEqual(File.ReadAllBytes(kyr)), "sample round trip");
    }

    // A null argument is refused with an ArgumentNullException naming its type; nothing changes.
    static void CheckRefusedArguments(Kyr document)
    {
        using (var pattern = new c_pattern("[a-z]+")) {
            Checks.Throws<ArgumentNullException>("null string", () => pattern.is_match(null), "is_match(null)");
            Checks.True(pattern.is_match("abc"), "is_match(abc)");
        }
        Checks.Throws<ArgumentNullException>("com_kyrandel_v2::Kyr & type is null", () => document.swap(null), "swap");
        using (var header = new Header()) {
            Checks.Throws<ArgumentNullException>("lmx::tc_datetime const & type is null",
                                                 () => header.insert_ChangeHistory(0, null), "insert_ChangeHistory");
            Checks.Equal(0u, header.size_ChangeHistory(), "nothing inserted");
        }
        Checks.Throws<ArgumentOutOfRangeException>("The index must be below 1.", () => document.get_Color(1), "get_Color(1)");
        Checks.Throws<ArgumentOutOfRangeException>("The index must be below 2.", () => document.insert_Color(2), "insert_Color(2)");
        Checks.Equal(1u, document.size_Color(), "the document is unchanged");
    }

    static ColorType Orphan(string sample, out WeakReference document)
    {
        Kyr loaded = Load(sample);
        document = new WeakReference(loaded);
        return loaded.get_Color(1);
    }

    static void Collect()
    {
        GC.Collect();
        GC.WaitForPendingFinalizers();
        GC.Collect();
    }

    // Each object is deleted once however often and however its proxies go; a
    // reference keeps its document's proxy alive, and after the document is
    // disposed every use of the reference throws ObjectDisposedException.
    static void CheckDisposal(string sample)
    {
        Kyr document = Load(sample);
        ColorType colour = document.get_Color(0);
        colour.Dispose();
        colour.Dispose();
        Checks.Equal("Poppy red", document.get_Color(0).get_ColorName(), "disposing a reference deletes nothing");
        var copy = new ColorType(document.get_Color(0));
        ColorSpaceCIELabType lab = document.get_Color(0).get_ColorSpace(0).get_ColorSpaceCIELab();
        document.Dispose();
        document.Dispose();
        Checks.True(document.IsDisposed && lab.IsDisposed && !copy.IsDisposed, "IsDisposed");
        Checks.Equal("Poppy red", copy.get_ColorName(), "a copy outlives its document");
        copy.Dispose();
        Checks.Throws<ObjectDisposedException>("The object this reference points into has been disposed.",
                                               () => lab.get_L(), "reference into a disposed document");
        Checks.Throws<ObjectDisposedException>("The object has been disposed.", () => document.size_Color(),
                                               "disposed document");
        WeakReference owner;
        ColorType kept = Orphan(sample, out owner);
        Collect();
        Checks.True(owner.IsAlive, "a reference keeps its document alive");
        Checks.Equal("Meadow green", kept.get_ColorName(), "the kept document's colour");
        kept = null;
        Collect();
        Checks.True(!owner.IsAlive, "the document goes with its last reference");
    }

    static Delegate ThroughNative(Delegate callback)
    {
        return Marshal.GetDelegateForFunctionPointer(Marshal.GetFunctionPointerForDelegate(callback), callback.GetType());
    }

    static T Registered<T>(string field)
    {
        return (T) typeof(KyrModule).GetField(field, BindingFlags.NonPublic | BindingFlags.Static).GetValue(null);
    }

    // Each registered callback, called through its function pointer as the library
    // calls it, becomes its exception at the end of the call in progress; the
    // library itself raises argument-null (above) and index-out-of-range.
    static void CheckEveryCallback()
    {
        Type[] kinds = { typeof(ApplicationException), typeof(ArithmeticException), typeof(DivideByZeroException),
                         typeof(IndexOutOfRangeException), typeof(InvalidCastException),
                         typeof(InvalidOperationException), typeof(IOException), typeof(NullReferenceException),
                         typeof(OutOfMemoryException), typeof(OverflowException), typeof(SystemException),
                         typeof(ArgumentException), typeof(ArgumentNullException), typeof(ArgumentOutOfRangeException) };
        var callbacks = Registered<Delegate[]>("s_exceptionCallbacks").Concat(Registered<Delegate[]>("s_argumentCallbacks"))
            .ToArray();
        Checks.Equal(kinds.Length, callbacks.Length, "callbacks");
        for (int i = 0; i < kinds.Length && i < callbacks.Length; ++i) {
            string message = "raised " + i;
            object[] arguments = i < 11 ? new object[] { message } : new object[] { message, null };
            Checks.Throws(kinds[i], message, () => {
                ThroughNative(callbacks[i]).DynamicInvoke(arguments);
                Checks.Equal(0, KyrModule.LMXNULL, "the call that throws");
            }, "callback " + i);
        }
        var text = Registered<Delegate>("s_stringCallback");
        Checks.Equal("h\u00e9", ThroughNative(text).DynamicInvoke("h\u00e9"), "string callback");
        using (var binary = new c_binary()) {
            binary.from_hex("0aFF");
            Checks.Equal(0xFFu, binary.at(1), "binary byte");
            Checks.Throws<IndexOutOfRangeException>("vector::_M_range_check: __n (which is 2) >= this->size() (which is 2)",
                                                    () => binary.at(2), "index beyond the end");
        }
    }

    static void CheckRuntimeValues()
    {
        Checks.Equal("min/max occurs error on marshaling",
                     KyrModule.get_error_description(elmx_error.ELMX_OCCURRENCE_ERROR_ON_MARSHAL), "description of 46");
        using (var big = new c_big_int("+0042"))
            Checks.Equal("42 42", big.get_as_string() + " " + big.get(), "c_big_int");
        using (var dec = new c_decimal(1205, 3))
            Checks.Equal("1.205 120", dec.get_as_string() + " " + dec.get_scaled(2), "c_decimal, scaled and truncated");
        using (var duration = new c_duration("PT90M")) {
            duration.normalize();
            Checks.Equal("PT1H30M", duration.get_as_string(), "normalised duration");
        }
        using (var info = new c_any_info("urn:x", "n\u00f6te", "<n\u00f6te/>"))
            Checks.Equal("n\u00f6te", info.get_name(), "c_any_info name");
    }

    // A class identity set from here is a library-owned copy that new objects report.
    static void CheckIdentitySetter()
    {
        ColorSpaceCMYKType.id_set("RenamedCMYK");
        using (var cmyk = new ColorSpaceCMYKType()) {
            Checks.Equal("RenamedCMYK", Marshal.PtrToStringAnsi(cmyk.getid()), "identity set");
            Checks.Equal(ColorSpaceCMYKType.id_get(), cmyk.getid(), "new identity reported");
            Checks.True(cmyk.has_id(ColorSpaceType.id_get()), "still a colour-space type");
        }
        ColorSpaceCMYKType.id_set("ColorSpaceCMYKType");
    }
}
