// The module class: the callbacks that the library raises in place of
// exceptions, each recorded on the calling thread and thrown as the matching
// .NET exception when the call returns to its proxy; and the helpers the
// generated proxies share.
using System;
using System.Runtime.InteropServices;
using System.Text;

public static partial class KyrModule
{
    [ThreadStatic]
    static Exception t_pending;

    // Held for the life of the process: the library keeps their function pointers.
    static readonly KyrModulePINVOKE.ExceptionCallback[] s_exceptionCallbacks = {
        message => Raise(new ApplicationException(message)),
        message => Raise(new ArithmeticException(message)),
        message => Raise(new DivideByZeroException(message)),
        message => Raise(new IndexOutOfRangeException(message)),
        message => Raise(new InvalidCastException(message)),
        message => Raise(new InvalidOperationException(message)),
        message => Raise(new System.IO.IOException(message)),
        message => Raise(new NullReferenceException(message)),
        message => Raise(new OutOfMemoryException(message)),
        message => Raise(new OverflowException(message)),
        message => Raise(new SystemException(message)),
    };
    static readonly KyrModulePINVOKE.ArgumentCallback[] s_argumentCallbacks = {
        (message, paramName) => Raise(new ArgumentException(message, paramName)),
        (message, paramName) => Raise(new ArgumentNullException(paramName, message)),
        (message, paramName) => Raise(new ArgumentOutOfRangeException(paramName, message)),
    };
    static readonly KyrModulePINVOKE.StringCallback s_stringCallback = text => text;

    internal static void RegisterCallbacks()
    {
        var e = s_exceptionCallbacks;
        KyrModulePINVOKE.SWIGRegisterExceptionCallbacks_KyrModule(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7],
            e[8], e[9], e[10]);
        var a = s_argumentCallbacks;
        KyrModulePINVOKE.SWIGRegisterExceptionArgumentCallbacks_KyrModule(a[0], a[1], a[2]);
        KyrModulePINVOKE.SWIGRegisterStringCallback_KyrModule(s_stringCallback);
    }

    // The first exception raised during a call is the one thrown.
    static void Raise(Exception exception)
    {
        if (t_pending == null)
            t_pending = exception;
    }

    // Throws the exception a callback raised during the call that just returned.
    internal static void Check()
    {
        Exception pending = t_pending;
        if (pending == null)
            return;
        t_pending = null;
        throw pending;
    }

    // The pointer a constructor returned; 0 means the allocation failed.
    internal static IntPtr Created(IntPtr handle)
    {
        Check();
        if (handle == IntPtr.Zero)
            throw new OutOfMemoryException("The library could not allocate the object.");
        return handle;
    }

    // A list index, below the list's size (or at most the size, where an insert may append).
    internal static void CheckIndex(uint index, uint limit)
    {
        if (index >= limit)
            throw new ArgumentOutOfRangeException("index", index, "The index must be below " + limit + ".");
    }

    // A narrow COM string: UTF-8 bytes after a 4-byte byte count; freed here.
    internal static string TakeNarrow(IntPtr text)
    {
        if (text == IntPtr.Zero)
            return null;
        byte[] bytes = new byte[Marshal.ReadInt32(text, -4)];
        Marshal.Copy(text, bytes, 0, bytes.Length);
        Marshal.FreeBSTR(text);
        return Encoding.UTF8.GetString(bytes);
    }
}
