"""The binding model: the classes, members, value types and tokens that the
emitters turn into code. It knows nothing about C++ syntax beyond the names of
the value types, so other outputs (the flat export layer) can walk it too.
"""

from xsd_reader import XS, RawSchema, SchemaError

# XML Schema built-in type -> (C++ type, value kind used by the emitters)
BUILTINS = {
    "string": ("std::wstring", "string"),
    "normalizedString": ("std::wstring", "string"),
    "token": ("std::wstring", "string"),
    "double": ("double", "double"),
    "int": ("int", "int"),
    "unsignedInt": ("unsigned int", "unsigned"),
    "unsignedByte": ("unsigned char", "ubyte"),
    "boolean": ("bool", "bool"),
    "dateTime": ("lmx::c_datetime", "datetime"),
    "base64Binary": ("lmx::c_binary", "binary"),
}

UNBOUNDED = None


class Facets:
    def __init__(self):
        self.min = None             # bound as written in the schema
        self.min_exclusive = False
        self.max = None
        self.max_exclusive = False
        self.min_length = None
        self.max_length = None
        self.pattern = None
        self.enumeration = []

    def copy(self):
        other = Facets()
        other.__dict__.update(self.__dict__)
        other.enumeration = list(self.enumeration)
        return other

    def is_empty(self):
        return (self.min is None and self.max is None and self.min_length is None
                and self.max_length is None and self.pattern is None and not self.enumeration)


class ValueType:
    def __init__(self, builtin, facets):
        self.builtin = builtin
        self.cpp, self.kind = BUILTINS[builtin]
        self.facets = facets

    @property
    def enumerated(self):
        return bool(self.facets.enumeration)


class Member:
    """One attribute or particle of a class, in schema order."""

    def __init__(self, kind, name, declaration):
        self.kind = kind            # attribute, value, child, choice, group, any
        self.name = name            # the X of get_X
        self.element = name         # element or attribute name as written
        self.declaration = declaration
        self.value = None           # ValueType of attributes and simple children
        self.cls = None             # class of complex children, choices and groups
        self.min = 1
        self.max = 1
        self.required = False       # attributes
        self.write_always = False
        self.check_occurs = True

    @property
    def repeated(self):
        return self.max is UNBOUNDED or self.max > 1

    @property
    def optional(self):
        return self.min == 0 and not self.write_always


class ClassModel:
    def __init__(self, name, kind, declaration):
        self.name = name
        self.kind = kind            # complex, simple, choice, inline, holder
        self.declaration = declaration
        self.extends = None         # base type (xs:extension)
        self.element_of = None      # the type an element class holds
        self.element_name = None    # global element name of an element class
        self.derived = []           # types extending this one, in declaration order
        self.attributes = []
        self.particles = []
        self.choice_members = []    # members of choice and inline classes
        self.value = None           # simple content
        self.nillable = False
        self.empty_accepted = False
        self.value_optional = False
        self.document = False
        self.holder_head = None     # head element name of a holder
        self.holder_members = []    # (element name, declared class, polymorphic read)
        self.holder_base = None     # common base type of a holder's members
        self.origin_element = None  # element whose anonymous type this class is

    # -- Structure
    @property
    def base(self):
        return self.extends or self.element_of

    @property
    def is_element_class(self):
        return self.element_name is not None

    def all_derived(self):
        result = []
        for cls in self.derived:
            result.append(cls)
            result.extend(cls.all_derived())
        return result

    @property
    def type_class(self):
        return self.element_of or self

    @property
    def polymorphic(self):
        t = self.type_class
        return t.extends is not None or bool(t.derived)

    @property
    def has_factory(self):
        return self.element_of is None and bool(self.derived)

    def has_children(self):
        cls = self
        while cls is not None:
            if cls.particles or cls.choice_members:
                return True
            cls = cls.base
        return False

    def is_compositor(self):
        return self.kind in ("choice", "inline", "holder")


class Schema:
    def __init__(self, path):
        self.raw = RawSchema(path)
        self.namespace = self.raw.target_namespace
        self.prefix = "Kyr"
        self.classes = []
        self.by_name = {}
        self.patterns = []
        self.element_tokens = {}
        self.attribute_tokens = {}
        self._type_classes = {}
        self._element_classes = {}
        self._holders = {}
        self._build()

    # -- Names and registration
    def _add(self, cls):
        if cls.name in self.by_name:
            raise SchemaError("two schema constructs would both become class %s; use b:class" % cls.name)
        self.by_name[cls.name] = cls
        self.classes.append(cls)
        return cls

    def _local(self, qname):
        if qname is None:
            return None
        uri, local = qname
        if uri != self.namespace:
            raise SchemaError("reference to %s outside the target namespace" % local)
        return local

    # -- Simple types
    def value_type(self, qname, node=None):
        uri, local = qname
        if uri == XS:
            if local not in BUILTINS:
                raise SchemaError("built-in type xs:%s is not supported" % local)
            return ValueType(local, Facets())
        if self._local(qname) not in self.raw.simple_types:
            return None
        return self.simple_type(self.raw.simple_types[local])

    def simple_type(self, node):
        restriction = node.child("restriction")
        if restriction is None:
            raise SchemaError("%s: simple type %s must be a restriction" % (node.document.path, node.get("name")))
        value = self.value_type(restriction.qname("base"))
        if value is None:
            raise SchemaError("%s: unknown base of simple type" % node.document.path)
        facets = value.facets.copy()
        for facet in restriction.children():
            v = facet.get("value")
            if facet.tag in ("minInclusive", "minExclusive"):
                facets.min, facets.min_exclusive = v, facet.tag == "minExclusive"
            elif facet.tag in ("maxInclusive", "maxExclusive"):
                facets.max, facets.max_exclusive = v, facet.tag == "maxExclusive"
            elif facet.tag == "minLength":
                facets.min_length = int(v)
            elif facet.tag == "maxLength":
                facets.max_length = int(v)
            elif facet.tag == "length":
                facets.min_length = facets.max_length = int(v)
            elif facet.tag == "pattern":
                facets.pattern = v
                if v not in self.patterns:
                    self.patterns.append(v)
            elif facet.tag == "enumeration":
                facets.enumeration.append(v)
            else:
                raise SchemaError("%s: facet xs:%s is not supported" % (node.document.path, facet.tag))
        return ValueType(value.builtin, facets)

    def _typed_value(self, node):
        """Value type of an attribute or element with a simple type, else None."""
        if node.get("type") is not None:
            return self.value_type(node.qname("type"))
        inline = node.child("simpleType", "complexType")
        if inline is not None and inline.tag == "simpleType":
            return self.simple_type(inline)
        return None

    # -- Classes
    def _build(self):
        raw = self.raw
        for kind, name in raw.order:
            if kind == "complexType":
                node = raw.complex_types[name]
                self._type_classes[name] = self._add(ClassModel(name, "complex", node.declaration()))
        for kind, name in raw.order:
            if kind != "element":
                continue
            node = raw.elements[name]
            inline = node.child("complexType", "simpleType")
            if inline is not None and inline.tag == "complexType":
                cls = self._add(ClassModel(name, "complex", node.declaration()))
                cls.element_name = name
                cls.origin_element = name
                self._element_classes[name] = (cls, inline)
            elif node.get("type") is not None:
                type_name = self._local(node.qname("type"))
                if type_name not in self._type_classes:
                    raise SchemaError("global element %s must have a complex type" % name)
                type_cls = self._type_classes[type_name]
                if type_name == name:
                    type_cls.element_name = name
                    self._element_classes[name] = (type_cls, None)
                else:
                    cls = self._add(ClassModel(name, "complex", node.declaration()))
                    cls.element_name = name
                    cls.element_of = type_cls
                    self._element_classes[name] = (cls, None)
            else:
                raise SchemaError("global element %s needs a complex type" % name)
            if node.get("nillable") == "true":
                self._element_classes[name][0].nillable = True
            if node.binding.get("document") == "true":
                self._element_classes[name][0].document = True
        for name, cls in self._type_classes.items():
            self._fill(cls, self.raw.complex_types[name])
        for name, (cls, inline) in list(self._element_classes.items()):
            if inline is not None:
                self._fill(cls, inline)
        for holder in list(self._holders.values()):
            self._fill_holder(holder)
        self._check_derivation()
        self._number_tokens()

    def _check_derivation(self):
        for cls in self.classes:
            if cls.kind == "simple" and cls.has_children():
                raise SchemaError("%s mixes simple content and child elements" % cls.name)
            if cls.empty_accepted and not cls.has_children():
                raise SchemaError("b:empty on %s, which has no child elements" % cls.name)

    def _fill(self, cls, node):
        binding = node.binding
        if binding.get("empty") == "accepted":
            cls.empty_accepted = True
        if binding.get("value") == "optional":
            cls.value_optional = True
        content = node.children("sequence", "choice", "complexContent", "simpleContent", "attribute")
        for part in content:
            if part.tag == "complexContent":
                extension = part.child("extension")
                if extension is None:
                    raise SchemaError("%s: only xs:extension is supported in complex content" % cls.name)
                base = self._type_classes[self._local(extension.qname("base"))]
                cls.extends = base
                base.derived.append(cls)
                self._fill_content(cls, extension.children("sequence", "choice", "attribute"))
            elif part.tag == "simpleContent":
                extension = part.child("extension")
                if extension is None:
                    raise SchemaError("%s: only xs:extension is supported in simple content" % cls.name)
                cls.kind = "simple"
                cls.value = self.value_type(extension.qname("base"))
                self._fill_content(cls, extension.children("attribute"))
        self._fill_content(cls, [p for p in content if p.tag not in ("complexContent", "simpleContent")])

    def _fill_content(self, cls, parts):
        for part in parts:
            if part.tag == "attribute":
                cls.attributes.append(self._attribute(part))
            elif part.tag == "sequence":
                for particle in part.children("element", "choice", "any"):
                    cls.particles.append(self._particle(cls, particle))
            elif part.tag == "choice":
                if cls.particles or cls.choice_members or part.get("maxOccurs", "1") != "1":
                    raise SchemaError("%s: a choice must be the whole content or sit in a sequence" % cls.name)
                cls.kind = "choice"
                cls.choice_members = [self._particle(cls, e) for e in part.children("element")]

    def _attribute(self, node):
        name = node.get("name")
        member = Member("attribute", name, node.declaration())
        member.value = self._typed_value(node)
        if member.value is None:
            raise SchemaError("attribute %s needs a simple type" % name)
        member.required = node.get("use") == "required"
        return member

    def _occurs(self, member, node):
        member.min = int(node.get("minOccurs", "1"))
        maximum = node.get("maxOccurs", "1")
        member.max = UNBOUNDED if maximum == "unbounded" else int(maximum)
        if member.max is not UNBOUNDED and member.max > 1:
            raise SchemaError("maxOccurs other than 1 or unbounded is not supported")
        if node.binding.get("write") == "always":
            if member.min != 0 or member.repeated:
                raise SchemaError("b:write=\"always\" needs an optional single element")
            member.write_always = True
        if node.binding.get("occurs-check") == "skip":
            member.check_occurs = False

    def _particle(self, owner, node):
        if node.tag == "any":
            member = Member("any", "any", node.declaration())
            self._occurs(member, node)
            return member
        if node.tag == "choice":
            name = node.binding.get("class")
            members = node.children("element")
            if name is None:
                name = "anon_" + members[0].get("name")
            inline = self._add(ClassModel(name, "inline", node.declaration()))
            inline.choice_members = [self._particle(inline, e) for e in members]
            member = Member("choice", name, node.declaration())
            member.cls = inline
            self._occurs(member, node)
            if member.repeated:
                raise SchemaError("%s: repeated inline choices are not supported" % owner.name)
            return member
        if node.get("ref") is not None:
            head = self._local(node.qname("ref"))
            if head not in self.raw.elements:
                raise SchemaError("%s: reference to undeclared element %s" % (owner.name, head))
            if not self._is_head(head):
                member = Member("child", head, node.declaration())
                member.cls = self._element_classes[head][0]
                self._occurs(member, node)
                return member
            member = Member("group", head, node.declaration())
            member.cls = self._holder(head)
            self._occurs(member, node)
            return member
        name = node.get("name")
        inline = None
        value = self._typed_value(node)
        if value is not None:
            member = Member("value", name, node.declaration())
            member.value = value
        else:
            member = Member("child", name, node.declaration())
            inline = node.child("complexType", "simpleType")
            if inline is not None:
                cls = self._add(ClassModel(inline.binding.get("class", name), "complex", node.declaration()))
                self._fill(cls, inline)
                cls.nillable = node.get("nillable") == "true"
                cls.origin_element = name
                member.cls = cls
            else:
                member.cls = self._type_classes.get(self._local(node.qname("type")))
                if member.cls is None:
                    raise SchemaError("%s: unknown type of element %s" % (owner.name, name))
        if node.get("nillable") == "true" and (member.kind != "child" or inline is None):
            raise SchemaError("%s: nillable elements need an anonymous complex type" % name)
        self._occurs(member, node)
        return member

    # -- Substitution groups
    def _is_head(self, name):
        return any(n.get("substitutionGroup") is not None and self._local(n.qname("substitutionGroup")) == name
                   for n in self.raw.elements.values()) or self.raw.elements[name].get("abstract") == "true"

    def _holder(self, head):
        if head not in self._holders:
            holder = ClassModel("sg_" + head, "holder", self.raw.elements[head].declaration())
            holder.holder_head = head
            self._holders[head] = self._add(holder)
        return self._holders[head]

    def _fill_holder(self, holder):
        head = holder.holder_head
        names = []
        if self.raw.elements[head].get("abstract") != "true":
            names.append(head)
        holder.holder_base = self._element_classes[head][0].type_class
        for kind, name in self.raw.order:
            node = self.raw.elements.get(name) if kind == "element" else None
            if node is not None and node.get("substitutionGroup") is not None \
                    and self._local(node.qname("substitutionGroup")) == head:
                names.append(name)
        for name in names:
            cls = self._element_classes[name][0].type_class
            holder.holder_members.append((name, cls))

    # -- Tokens
    def _number_tokens(self):
        token = [14]

        def element(name):
            if name not in self.element_tokens:
                self.element_tokens[name] = token[0]
                token[0] += 1

        def attribute(name):
            if name not in self.attribute_tokens:
                self.attribute_tokens[name] = token[0]
                token[0] += 1

        for cls in self.classes:
            for a in cls.attributes:
                attribute(a.element)
            for p in cls.particles + cls.choice_members:
                if p.kind in ("value", "child"):
                    element(p.element)
            for name, _ in cls.holder_members:
                element(name)


def polymorphic_read(declared):
    """Whether a holder member must look for xsi:type: its declared type has derived types."""
    return bool(declared.derived)
