// The tally of checks, and the check that every declared entry point resolves
// in the built library.
using System;
using System.Collections.Generic;
using System.Reflection;
using System.Runtime.InteropServices;

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
        True(EqualityComparer<T>.Default.Equals(expected, actual), what + ": expected <" + expected + ">, got <" + actual + ">");
    }

    // The action throws exactly an E whose message starts with `message` (Mono may append the object's name).
    public static void Throws<E>(string message, Action action, string what) where E : Exception
    {
        Throws(typeof(E), message, action, what);
    }

    public static void Throws(Type type, string message, Action action, string what)
    {
        string got = "nothing";
        try {
            action();
        } catch (Exception error) {
            got = error.GetType().Name + ": " + error.Message;
        }
        string expected = type.Name + ": " + message;
        True(got.StartsWith(expected), what + ": expected <" + expected + ">, got <" + got + ">");
    }
}

static class EntryPoints
{
    [DllImport("libdl.so.2")]
    static extern IntPtr dlopen(string file, int mode);

    [DllImport("libdl.so.2")]
    static extern IntPtr dlsym(IntPtr handle, string name);

    // Names of the assembly's declared entry points that the library does not define.
    public static List<string> Unresolved(Type declarations, string library, out int declared)
    {
        var missing = new List<string>();
        declared = 0;
        IntPtr handle = dlopen(library, 2);
        foreach (MethodInfo method in declarations.GetMethods(BindingFlags.Public | BindingFlags.Static)) {
            var import = (DllImportAttribute) Attribute.GetCustomAttribute(method, typeof(DllImportAttribute));
            if (import == null)
                continue;
            ++declared;
            if (handle == IntPtr.Zero || dlsym(handle, import.EntryPoint) == IntPtr.Zero)
                missing.Add(import.EntryPoint);
        }
        return missing;
    }
}
