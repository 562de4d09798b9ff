"""Reads an XML Schema and the files it includes into raw schema components.

Only the subset the format uses is understood; anything else stops the
generator with a message naming the file and the construct, so the schema can
never silently drift away from what the generated code does.
"""

import os
import xml.etree.ElementTree as ET

XS = "http://www.w3.org/2001/XMLSchema"
BINDING = "http://kyr-format.org/v2/binding"

KNOWN_BINDING_ATTRIBUTES = {"empty", "class", "write", "occurs-check", "value", "document"}


class SchemaError(Exception):
    pass


def xs(tag):
    return "{%s}%s" % (XS, tag)


class Node:
    """One schema element with its binding attributes and the file's prefixes."""

    def __init__(self, element, document):
        self.element = element
        self.document = document
        self.tag = element.tag[len(XS) + 2:] if element.tag.startswith("{" + XS + "}") else element.tag
        self.binding = {}
        for key, value in element.attrib.items():
            if key.startswith("{" + BINDING + "}"):
                name = key[len(BINDING) + 2:]
                if name not in KNOWN_BINDING_ATTRIBUTES:
                    raise SchemaError("%s: unknown binding attribute b:%s on xs:%s"
                                      % (document.path, name, self.tag))
                self.binding[name] = value

    def get(self, name, default=None):
        return self.element.attrib.get(name, default)

    def children(self, *tags):
        result = []
        for child in self.element:
            if not isinstance(child.tag, str):
                continue
            node = Node(child, self.document)
            if node.tag in ("annotation",):
                continue
            if tags and node.tag not in tags:
                raise SchemaError("%s: xs:%s is not supported inside xs:%s"
                                  % (self.document.path, node.tag, self.tag))
            result.append(node)
        return result

    def child(self, *tags):
        found = self.children(*tags)
        return found[0] if found else None

    def qname(self, name):
        """Resolves a QName attribute value to (namespace URI, local name)."""
        value = self.get(name)
        if value is None:
            return None
        prefix, _, local = value.rpartition(":")
        if prefix not in self.document.prefixes:
            raise SchemaError("%s: undeclared prefix in %s=\"%s\"" % (self.document.path, name, value))
        return (self.document.prefixes[prefix], local)

    def declaration(self):
        """The start tag of this component as it would appear in the schema."""
        parts = [self.tag]
        for key, value in self.element.attrib.items():
            if key.startswith("{" + BINDING + "}"):
                key = "b:" + key[len(BINDING) + 2:]
            parts.append('%s="%s"' % (key, value))
        has_content = any(isinstance(c.tag, str) and not c.tag.endswith("annotation") for c in self.element)
        return "<xs:%s%s>" % (" ".join(parts), "" if has_content else "/")


class Document:
    def __init__(self, path):
        self.path = path
        self.prefixes = {}
        for event, item in ET.iterparse(path, events=("start-ns",)):
            prefix, uri = item
            self.prefixes.setdefault(prefix, uri)
        self.root = Node(ET.parse(path).getroot(), self)
        if self.root.tag != "schema":
            raise SchemaError("%s: not an XML Schema" % path)
        self.target_namespace = self.root.get("targetNamespace")


class RawSchema:
    """The global components of a schema and its includes, in document order."""

    def __init__(self, path):
        self.files = []
        self.target_namespace = None
        self.complex_types = {}
        self.simple_types = {}
        self.elements = {}
        self.order = []  # ("complexType" | "simpleType" | "element", name) in document order
        self._read(os.path.abspath(path))

    def _read(self, path):
        if path in self.files:
            return
        self.files.append(path)
        document = Document(path)
        if self.target_namespace is None:
            self.target_namespace = document.target_namespace
        elif document.target_namespace != self.target_namespace:
            raise SchemaError("%s: included files must share the target namespace" % path)
        for node in document.root.children("include", "complexType", "simpleType", "element"):
            if node.tag == "include":
                self._read(os.path.join(os.path.dirname(path), node.get("schemaLocation")))
                continue
            name = node.get("name")
            table = {"complexType": self.complex_types, "simpleType": self.simple_types,
                     "element": self.elements}[node.tag]
            if name in table:
                raise SchemaError("%s: %s %s is declared twice" % (path, node.tag, name))
            table[name] = node
            self.order.append((node.tag, name))
