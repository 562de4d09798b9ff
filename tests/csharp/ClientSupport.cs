// What the C# client needs besides the flat exports: the tally of checks, the
// registered callbacks and what they received, narrow COM strings, and the
// check that every declared entry point resolves in the built library.
using System;
using System.Collections.Generic;
using System.Reflection;
using System.Runtime.InteropServices;
using System.Text;

static class Checks
{
    public static int Passed;
    public static int Failed;

    public static void True(bool condition, string what)
    {
        if (condition) {
            ++Passed;
        } else {
            ++Failed;
            Console.WriteLine("FAILED: " + what);
        }
    }

    public static void Equal<T>(T expected, T actual, string what)
    {
        bool same = EqualityComparer<T>.Default.Equals(expected, actual);
        True(same, what + ": expected <" + expected + ">, got <" + actual + ">");
    }
}

// The callbacks the module registers; each raised message is recorded.
static class Callbacks
{
    public static readonly List<string> Raised = new List<string>();
    public static readonly List<string> ArgumentNull = new List<string>();

    // Kept in fields so the collector never frees a delegate the library holds.
    static readonly KyrModulePINVOKE.ExceptionCallback[] exceptions = new KyrModulePINVOKE.ExceptionCallback[11];
    static KyrModulePINVOKE.ArgumentCallback argument, argumentNull, argumentOutOfRange;
    static KyrModulePINVOKE.StringCallback text;

    static readonly string[] exceptionNames = {
        "Application", "Arithmetic", "DivideByZero", "IndexOutOfRange", "InvalidCast", "InvalidOperation",
        "IO", "NullReference", "OutOfMemory", "Overflow", "System"
    };

    public static void Register()
    {
        for (int i = 0; i < exceptions.Length; ++i) {
            string name = exceptionNames[i];
            exceptions[i] = message => Raised.Add(name + ": " + message);
        }
        argument = (message, param) => Raised.Add("Argument: " + message);
        argumentNull = (message, param) => ArgumentNull.Add(message);
        argumentOutOfRange = (message, param) => Raised.Add("ArgumentOutOfRange: " + message);
        text = s => s;
        KyrModulePINVOKE.SWIGRegisterExceptionCallbacks_KyrModule(exceptions[0], exceptions[1], exceptions[2],
            exceptions[3], exceptions[4], exceptions[5], exceptions[6], exceptions[7], exceptions[8],
            exceptions[9], exceptions[10]);
        KyrModulePINVOKE.SWIGRegisterExceptionArgumentCallbacks_KyrModule(argument, argumentNull, argumentOutOfRange);
        KyrModulePINVOKE.SWIGRegisterStringCallback_KyrModule(text);
    }

    public static void Clear()
    {
        Raised.Clear();
        ArgumentNull.Clear();
    }
}

static class NarrowText
{
    // A narrow COM string: UTF-8 bytes after a 4-byte byte count; freed here.
    public static string Take(IntPtr text)
    {
        if (text == IntPtr.Zero)
            return null;
        int length = Marshal.ReadInt32(text, -4);
        byte[] bytes = new byte[length];
        Marshal.Copy(text, bytes, 0, length);
        Marshal.FreeBSTR(text);
        return Encoding.UTF8.GetString(bytes);
    }
}

static class EntryPoints
{
    [DllImport("libdl.so.2")]
    static extern IntPtr dlopen(string file, int mode);

    [DllImport("libdl.so.2")]
    static extern IntPtr dlsym(IntPtr handle, string name);

    const int RTLD_NOW = 2;

    // Names of the declared entry points that the library does not define.
    public static List<string> Unresolved(string library, out int declared)
    {
        var missing = new List<string>();
        declared = 0;
        IntPtr handle = dlopen(library, RTLD_NOW);
        if (handle == IntPtr.Zero) {
            missing.Add("cannot open " + library);
            return missing;
        }
        foreach (MethodInfo method in typeof(KyrModulePINVOKE).GetMethods(BindingFlags.Public | BindingFlags.Static)) {
            var import = (DllImportAttribute) Attribute.GetCustomAttribute(method, typeof(DllImportAttribute));
            if (import == null)
                continue;
            ++declared;
            string entry = import.EntryPoint ?? method.Name;
            if (dlsym(handle, entry) == IntPtr.Zero)
                missing.Add(entry);
        }
        return missing;
    }
}
