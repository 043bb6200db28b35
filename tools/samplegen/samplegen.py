#!/usr/bin/python3
"""Writes the sample program folder: the part drawings of a kitchen job in millimetres, a
small vanity job in inches and the stroke letters that engraved text is composed from.

The output is the same byte for byte on every run, so the committed samples can be
regenerated and compared. Usage: samplegen.py [--out FOLDER] [--check] [--verify | --verify-only]
"""

import argparse
import math
import os
import sys

# ---------------------------------------------------------------------------------------
# Numbers and group codes


def Num(value):
    """A real in the plain form most CAD programs write: at least one decimal, no exponent."""
    value = round(float(value), 10)
    if value == 0:
        value = 0.0  # no "-0.0"
    text = f"{value:.10f}".rstrip("0")
    if text.endswith("."):
        text += "0"
    return text


def Code(code):
    """Group codes right-aligned in three columns, the way the classic writers lay them out."""
    return f"{code:>3}"


# ---------------------------------------------------------------------------------------
# A drawing: comment fields, layers and entities written as R12-style ASCII DXF


ENT = (100, "AcDbEntity")


class Drawing:
    def __init__(self):
        self.comments = []  # (key, value)
        self.layers = {}  # name -> colour, in first-use order
        self.entities = []  # lists of (code, value)
        self.points = []  # for the header extents
        # A drawing with lightweight polylines comes from a newer CAD program: it is written as
        # an R2000 file with subclass markers; the others are plain R12.
        self.modern = False

    def Layer(self, name, colour):
        self.layers.setdefault(name, colour)
        return name

    def _Add(self, pairs):
        self.entities.append(pairs)

    def _Extend(self, x, y):
        self.points.append((x, y))

    def Line(self, layer, x1, y1, x2, y2, z=0.0):
        self._Add([(0, "LINE"), ENT, (8, layer), (100, "AcDbLine"), (10, x1), (20, y1), (30, z), (11, x2),
                   (21, y2), (31, z)])
        self._Extend(x1, y1)
        self._Extend(x2, y2)

    def Circle(self, layer, cx, cy, r, z=0.0):
        self._Add([(0, "CIRCLE"), ENT, (8, layer), (100, "AcDbCircle"), (10, cx), (20, cy), (30, z), (40, r)])
        self._Extend(cx - r, cy - r)
        self._Extend(cx + r, cy + r)

    def Arc(self, layer, cx, cy, r, a1, a2, z=0.0):
        """Counter-clockwise from a1 to a2 (degrees)."""
        self._Add([(0, "ARC"), ENT, (8, layer), (100, "AcDbCircle"), (10, cx), (20, cy), (30, z), (40, r),
                   (100, "AcDbArc"), (50, a1), (51, a2)])
        self._ExtendArc(cx, cy, r, a1, a2)

    def _ExtendArc(self, cx, cy, r, a1, a2):
        sweep = (a2 - a1) % 360.0 or 360.0
        self._Extend(cx + r * math.cos(math.radians(a1)), cy + r * math.sin(math.radians(a1)))
        self._Extend(cx + r * math.cos(math.radians(a2)), cy + r * math.sin(math.radians(a2)))
        for quadrant in (0.0, 90.0, 180.0, 270.0):
            if (quadrant - a1) % 360.0 <= sweep:
                self._Extend(cx + r * math.cos(math.radians(quadrant)),
                             cy + r * math.sin(math.radians(quadrant)))

    def Point(self, layer, x, y, z=0.0):
        self._Add([(0, "POINT"), ENT, (8, layer), (100, "AcDbPoint"), (10, x), (20, y), (30, z)])
        self._Extend(x, y)

    def Text(self, layer, x, y, height, text):
        """Centred on (x, y) so the annotation sits in the middle of the part."""
        self._Add([(0, "TEXT"), ENT, (8, layer), (100, "AcDbText"), (10, x), (20, y), (30, 0.0), (40, height),
                   (1, text), (72, 1), (11, x), (21, y), (31, 0.0), (100, "AcDbText")])
        self._Extend(x, y)

    def Polyline(self, layer, vertices, closed, z=0.0):
        """Classic 2D POLYLINE/VERTEX/SEQEND; vertices are (x, y) or (x, y, bulge)."""
        pairs = [(0, "POLYLINE"), ENT, (8, layer), (100, "AcDb2dPolyline"), (66, 1), (10, 0.0), (20, 0.0),
                 (30, z), (70, 1 if closed else 0)]
        for vertex in vertices:
            pairs += [(0, "VERTEX"), ENT, (8, layer), (100, "AcDbVertex"), (100, "AcDb2dVertex"), (10, vertex[0]),
                      (20, vertex[1]), (30, z)]
            if len(vertex) > 2 and vertex[2]:
                pairs.append((42, vertex[2]))
        pairs += [(0, "SEQEND"), ENT, (8, layer)]
        self._Add(pairs)
        self._ExtendPath(vertices, closed)

    def LwPolyline(self, layer, vertices, closed, z=0.0):
        self.modern = True
        pairs = [(0, "LWPOLYLINE"), ENT, (8, layer), (100, "AcDbPolyline"), (90, len(vertices)),
                 (70, 1 if closed else 0)]
        if z:
            pairs.append((38, z))
        for vertex in vertices:
            pairs += [(10, vertex[0]), (20, vertex[1])]
            if len(vertex) > 2 and vertex[2]:
                pairs.append((42, vertex[2]))
        self._Add(pairs)
        self._ExtendPath(vertices, closed)

    def _ExtendPath(self, vertices, closed):
        count = len(vertices)
        for i, vertex in enumerate(vertices):
            self._Extend(vertex[0], vertex[1])
            bulge = vertex[2] if len(vertex) > 2 else 0.0
            if bulge and (closed or i + 1 < count):
                nxt = vertices[(i + 1) % count]
                cx, cy, r, a1, a2 = BulgeArc(vertex[0], vertex[1], nxt[0], nxt[1], bulge)
                self._ExtendArc(cx, cy, r, a1, a2)

    def Render(self, eol):
        out = []

        def Put(code, value):
            if isinstance(value, float):
                value = Num(value)
            out.append(Code(code))
            out.append(str(value))

        for key, value in self.comments:
            out.append("999")
            out.append(f"{key}: {value}" if value else f"{key}:")

        xs = [p[0] for p in self.points] or [0.0]
        ys = [p[1] for p in self.points] or [0.0]
        Put(0, "SECTION")
        Put(2, "HEADER")
        Put(9, "$ACADVER")
        Put(1, "AC1015" if self.modern else "AC1009")
        Put(9, "$INSBASE")
        Put(10, 0.0)
        Put(20, 0.0)
        Put(30, 0.0)
        Put(9, "$EXTMIN")
        Put(10, min(xs))
        Put(20, min(ys))
        Put(30, 0.0)
        Put(9, "$EXTMAX")
        Put(10, max(xs))
        Put(20, max(ys))
        Put(30, 0.0)
        Put(0, "ENDSEC")

        Put(0, "SECTION")
        Put(2, "TABLES")
        Put(0, "TABLE")
        Put(2, "LTYPE")
        Put(70, 1)
        Put(0, "LTYPE")
        Put(2, "CONTINUOUS")
        Put(70, 0)
        Put(3, "Solid line")
        Put(72, 65)
        Put(73, 0)
        Put(40, 0.0)
        Put(0, "ENDTAB")
        Put(0, "TABLE")
        Put(2, "LAYER")
        Put(70, len(self.layers) + 1)
        for name, colour in [("0", 7)] + list(self.layers.items()):
            Put(0, "LAYER")
            Put(2, name)
            Put(70, 0)
            Put(62, colour)
            Put(6, "CONTINUOUS")
        Put(0, "ENDTAB")
        Put(0, "TABLE")
        Put(2, "STYLE")
        Put(70, 1)
        Put(0, "STYLE")
        Put(2, "STANDARD")
        Put(70, 0)
        Put(40, 0.0)
        Put(41, 1.0)
        Put(50, 0.0)
        Put(71, 0)
        Put(42, 2.5)
        Put(3, "txt")
        Put(4, "")
        Put(0, "ENDTAB")
        Put(0, "ENDSEC")

        Put(0, "SECTION")
        Put(2, "BLOCKS")
        Put(0, "ENDSEC")

        Put(0, "SECTION")
        Put(2, "ENTITIES")
        for pairs in self.entities:
            for code, value in pairs:
                if code != 100 or self.modern:
                    Put(code, value)
        Put(0, "ENDSEC")
        Put(0, "EOF")
        return eol.join(out) + eol


def BulgeArc(x1, y1, x2, y2, bulge):
    """Centre, radius and counter-clockwise start/end angles of a bulged polyline segment."""
    chord = math.hypot(x2 - x1, y2 - y1)
    theta = 4.0 * math.atan(bulge)
    r = abs(chord / (2.0 * math.sin(theta / 2.0)))
    mx, my = (x1 + x2) / 2.0, (y1 + y2) / 2.0
    # distance from the chord midpoint to the centre, on the left of the travel for bulge > 0
    # when the arc is less than a half circle
    d = r * math.cos(theta / 2.0)
    nx, ny = -(y2 - y1) / chord, (x2 - x1) / chord
    sign = 1.0 if bulge > 0 else -1.0
    cx, cy = mx + sign * d * nx, my + sign * d * ny
    a1 = math.degrees(math.atan2(y1 - cy, x1 - cx))
    a2 = math.degrees(math.atan2(y2 - cy, x2 - cx))
    if bulge < 0:
        a1, a2 = a2, a1
    return cx, cy, r, a1 % 360.0, a2 % 360.0


# ---------------------------------------------------------------------------------------
# Layers of a part drawing

ROUTE_COLOUR = 1
VBORE_COLOUR = 5
BORDER_COLOUR = 7
NAME_COLOUR = 2


def DepthCode(depth):
    """Depth written into a layer name, "P" standing for the decimal point (6.5 -> 6P5)."""
    text = f"{depth:.4f}".rstrip("0").rstrip(".")
    return text.replace(".", "P")


# ---------------------------------------------------------------------------------------
# Part outlines


def RectOutline(d, layer, length, width, style):
    corners = [(0.0, 0.0), (length, 0.0), (length, width), (0.0, width)]
    PathOutline(d, layer, corners, style)


def PathOutline(d, layer, vertices, style):
    if style == "lwpolyline":
        d.LwPolyline(layer, vertices, True)
    elif style == "polyline":
        d.Polyline(layer, vertices, True)
    elif style == "lines":
        for i, a in enumerate(vertices):
            b = vertices[(i + 1) % len(vertices)]
            d.Line(layer, a[0], a[1], b[0], b[1])
    else:
        raise ValueError(style)


def NotchedSide(d, layer, length, width, notch_length, notch_depth, front_at_top, style):
    """Base-cabinet side with the toe-kick notch at the bottom front corner."""
    if front_at_top:
        vertices = [(0.0, 0.0), (length, 0.0), (length, width), (notch_length, width),
                    (notch_length, width - notch_depth), (0.0, width - notch_depth)]
    else:
        vertices = [(0.0, notch_depth), (notch_length, notch_depth), (notch_length, 0.0),
                    (length, 0.0), (length, width), (0.0, width)]
    PathOutline(d, layer, vertices, style)


def RoundedFrontShelf(d, layer, length, width, radius):
    """Shelf with both front corners rounded, drawn as separate lines and arcs."""
    d.Line(layer, 0.0, 0.0, length, 0.0)
    d.Line(layer, length, 0.0, length, width - radius)
    d.Arc(layer, length - radius, width - radius, radius, 0.0, 90.0)
    d.Line(layer, length - radius, width, radius, width)
    d.Arc(layer, radius, width - radius, radius, 90.0, 180.0)
    d.Line(layer, 0.0, width - radius, 0.0, 0.0)


def BowFrontShelf(d, layer, length, width, sagitta):
    """Shelf whose front edge bows out by the sagitta; only the arc reaches the full width."""
    bulge = 2.0 * sagitta / length
    vertices = [(0.0, 0.0), (length, 0.0), (length, width - sagitta, bulge), (0.0, width - sagitta)]
    d.LwPolyline(layer, vertices, True)


# ---------------------------------------------------------------------------------------
# Machining


def ShelfPins(d, x_from, x_to, pitch, rows, depth, diameter):
    layer = d.Layer("VBORE_Z" + DepthCode(depth), VBORE_COLOUR)
    x = x_from
    while x <= x_to + 1e-9:
        for y in rows:
            d.Circle(layer, x, y, diameter / 2.0, depth)
        x += pitch


def HingeCups(d, hinge_x, y_positions, depth=13.0, diameter=35.0):
    layer = d.Layer("VBORE_Z" + DepthCode(depth), VBORE_COLOUR)
    for y in y_positions:
        d.Circle(layer, hinge_x, y, diameter / 2.0, depth)


def ProfileRoute(d, length, width, inset, radius, depth, order, lw):
    """Decorative groove inset from the edges, rounded corners as bulges (quarter arcs)."""
    layer = d.Layer(f"ROUTE{order}_Z" + DepthCode(depth), ROUTE_COLOUR)
    quarter = math.tan(math.radians(90.0) / 4.0)
    x0, y0, x1, y1 = inset, inset, length - inset, width - inset
    vertices = [
        (x0 + radius, y0), (x1 - radius, y0, quarter),
        (x1, y0 + radius), (x1, y1 - radius, quarter),
        (x1 - radius, y1), (x0 + radius, y1, quarter),
        (x0, y1 - radius), (x0, y0 + radius, quarter),
    ]
    if lw:
        d.LwPolyline(layer, vertices, True, depth)
    else:
        d.Polyline(layer, vertices, True, depth)


# ---------------------------------------------------------------------------------------
# The kitchen job (millimetres)

MELAMINE = "WHITE MELAMINE 19"
MDF = "PAINT GRADE MDF 19"
HARDBOARD = "WHITE HARDBOARD 6"
BAND_1 = "WHITE PVC 1MM"
BAND_05 = "WHITE PVC 0.5MM"

THICKNESS = {MELAMINE: 19.0, MDF: 19.0, HARDBOARD: 6.0}

JOB = "2417"
ROOM = "Kitchen"


class Part:
    def __init__(self, cabinet, stem, description, material, length, width, qty=1, outline="polyline",
                 bands=("", "", "", ""), rotatable=True, flag="", build=None):
        self.cabinet = cabinet
        self.stem = stem
        self.description = description
        self.material = material
        self.length = float(length)
        self.width = float(width)
        self.qty = qty
        self.outline = outline
        self.bands = bands
        self.rotatable = rotatable
        self.flag = flag  # "OS" small part, "NB" no cut-out
        self.build = build


def BorderLayer(thickness_code, flag):
    name = "BORDER_Z" + thickness_code
    if flag:
        name += "_" + flag
    return name


def Carcass(cabinet, width, height, depth, shelves, doors, side_style="polyline", toe_kick=True,
            drawer_runners=None, wall=False):
    parts = []
    inner = width - 2 * 19.0
    front_band = (BAND_1, "", "", "")
    if wall:
        def SideBuild(d, p):
            ShelfPins(d, 200.0, 520.0, 32.0, (37.0, depth - 37.0), 12.0, 5.0)
        parts.append(Part(cabinet, "Side", "Side", MELAMINE, height, depth, qty=2, outline=side_style,
                          bands=front_band, build=SideBuild))
        parts.append(Part(cabinet, "TopBottom", "Top and Bottom", MELAMINE, inner, depth, qty=2,
                          outline=side_style, bands=front_band))
    else:
        for hand, front_at_top in (("Left", True), ("Right", False)):
            def SideBuild(d, p, front_at_top=front_at_top):
                if drawer_runners:
                    ShelfPins(d, drawer_runners[0], drawer_runners[-1], drawer_runners[1] - drawer_runners[0],
                              (37.0, 293.0), 12.0, 5.0)
                else:
                    rows = (37.0, depth - 37.0)
                    ShelfPins(d, 250.0, 570.0, 32.0, rows, 12.0, 5.0)
            layer_style = side_style

            def Outline(d, p, front_at_top=front_at_top, layer_style=layer_style):
                NotchedSide(d, d.border, p.length, p.width, 100.0, 75.0, front_at_top, layer_style)
            parts.append(Part(cabinet, hand + "Side", hand + " Side", MELAMINE, height, depth,
                              outline=Outline if toe_kick else side_style, bands=front_band, build=SideBuild))
        parts.append(Part(cabinet, "Bottom", "Bottom", MELAMINE, inner, depth - 19.0, bands=front_band))
        parts.append(Part(cabinet, "Stretcher", "Stretcher", MELAMINE, inner, 100.0, qty=2, outline="lines",
                          bands=(BAND_05, "", "", ""), flag="OS"))
    if shelves:
        parts.append(Part(cabinet, "Shelf", "Shelf", MELAMINE, inner - 1.0, depth - 40.0, qty=shelves,
                          bands=front_band))
    parts.append(Part(cabinet, "Back", "Back", HARDBOARD, width, height, outline="polyline"))
    for door in doors:
        parts.append(door)
    return parts


def Door(cabinet, stem, description, length, width, hinge, outline="polyline", profile=True):
    """hinge: "L" or "R" edge (x = 0 or x = length) carries the cups, or "" for none."""

    def Build(d, p):
        if hinge:
            x = 22.5 if hinge == "L" else p.length - 22.5
            HingeCups(d, x, (100.0, p.width - 100.0))
        if profile:
            ProfileRoute(d, p.length, p.width, 65.0, 10.0, 6.5, 1, lw=(p.outline == "lwpolyline"))
    return Part(cabinet, stem, description, MDF, length, width, outline=outline, rotatable=False, build=Build)


def DrawerFront(cabinet, stem, description, length, width, engraving=False):
    def Build(d, p):
        ProfileRoute(d, p.length, p.width, 40.0, 6.0, 6.5, 1, lw=False)
        if engraving:
            d.Point(d.Layer("ENGRAVING", 6), p.length / 2.0, p.width / 2.0)
    return Part(cabinet, stem, description, MDF, length, width, rotatable=False, build=Build)


def KitchenJob():
    parts = []

    # B1: base 600 with one door and one shelf
    parts += Carcass("B1", 600.0, 720.0, 560.0, 1,
                     [Door("B1", "Door", "Door", 596.0, 716.0, "L")])

    # B2: sink base 900 with a pair of doors; the back has the plumbing cut-out
    b2 = Carcass("B2", 900.0, 720.0, 560.0, 0,
                 [Door("B2", "DoorLeft", "Door Left", 446.0, 716.0, "L", outline="lwpolyline"),
                  Door("B2", "DoorRight", "Door Right", 446.0, 716.0, "R", outline="lwpolyline")])
    for p in b2:
        if p.stem == "Back":
            def PlumbingCutOut(d, p):
                layer = d.Layer("ROUTE3_Z" + DepthCode(6.5), ROUTE_COLOUR)
                d.Circle(layer, p.length / 2.0, 300.0, 75.0, 6.5)
            p.build = PlumbingCutOut
    parts += b2

    # DB1: drawer base 450 with three drawers
    db1 = Carcass("DB1", 450.0, 720.0, 560.0, 0, [], drawer_runners=(130.0, 370.0, 610.0))
    parts += db1
    parts.append(DrawerFront("DB1", "FrontTop", "Drawer Front Top", 446.0, 140.0, engraving=True))
    parts.append(DrawerFront("DB1", "FrontMiddle", "Drawer Front Middle", 446.0, 280.0))
    parts.append(DrawerFront("DB1", "FrontBottom", "Drawer Front Bottom", 446.0, 290.0))
    parts.append(Part("DB1", "DrawerBottom", "Drawer Bottom", HARDBOARD, 380.0, 480.0, qty=3, outline="lines"))

    # W1: wall 600, shelf with rounded front corners drawn as lines and arcs
    w1 = Carcass("W1", 600.0, 720.0, 300.0, 0,
                 [Door("W1", "Door", "Door", 596.0, 716.0, "R")], side_style="lines", wall=True)
    parts += w1
    parts.append(Part("W1", "Shelf", "Shelf", MELAMINE, 561.0, 280.0, qty=2, bands=(BAND_05, "", "", ""),
                      outline=lambda d, p: RoundedFrontShelf(d, d.border, p.length, p.width, 25.0)))

    # W2: wall 800 with a pair of doors, bow-front shelves
    w2 = Carcass("W2", 800.0, 720.0, 300.0, 0,
                 [Door("W2", "DoorLeft", "Door Left", 396.0, 716.0, "L"),
                  Door("W2", "DoorRight", "Door Right", 396.0, 716.0, "R")], side_style="lines", wall=True)
    parts += w2
    parts.append(Part("W2", "Shelf", "Shelf", MELAMINE, 761.0, 280.0, qty=2, bands=(BAND_05, "", "", ""),
                      outline=lambda d, p: BowFrontShelf(d, d.border, p.length, p.width, 20.0)))

    # T1: tall pantry 600 x 2100, sides with a dado for the fixed shelf
    t1 = Carcass("T1", 600.0, 2100.0, 560.0, 4,
                 [Door("T1", "UpperDoor", "Upper Door", 596.0, 716.0, "L"),
                  Door("T1", "LowerDoor", "Lower Door", 596.0, 1376.0, "L", outline="lwpolyline")],
                 side_style="lwpolyline")
    for p in t1:
        if p.stem in ("LeftSide", "RightSide"):
            p.rotatable = False

            def TallSide(d, p):
                ShelfPins(d, 300.0, 620.0, 32.0, (37.0, p.width - 37.0), 12.0, 5.0)
                ShelfPins(d, 1200.0, 1776.0, 32.0, (37.0, p.width - 37.0), 12.0, 5.0)
                # stopped dado for the fixed shelf; no route order, so the machine orders it last
                layer = d.Layer("ROUTE_Z" + DepthCode(8.0), ROUTE_COLOUR)
                d.Line(layer, 1010.0, 0.0, 1010.0, p.width - 20.0, 8.0)
            p.build = TallSide
        if p.stem == "Stretcher":
            # a tall cabinet is closed by a full top instead of the base cabinets' stretchers
            p.stem = "Top"
            p.description = "Top"
            p.qty = 1
            p.width = 541.0
            p.flag = ""
            p.outline = "polyline"
            p.bands = (BAND_1, "", "", "")
    parts += t1
    parts.append(Part("T1", "FixedShelf", "Fixed Shelf", MELAMINE, 562.0 + 16.0, 540.0, bands=(BAND_1, "", "", "")))

    # loose parts: filler strip and toe kick
    parts.append(Part("F1", "Filler", "Filler", MELAMINE, 720.0, 60.0, flag="OS", bands=(BAND_1, "", "", ""),
                      outline="lwpolyline"))
    parts.append(Part("K1", "ToeKick", "Toe Kick", MELAMINE, 1800.0, 100.0, flag="NB"))
    return parts


# ---------------------------------------------------------------------------------------
# The vanity job (inches)

INCH_MATERIAL = "WHITE MELAMINE 3/4"


def VanityJob():
    def Side(d, p):
        ShelfPins(d, 8.0, 20.0, 1.26, (1.5, p.width - 1.5), 0.5, 0.197)

    return [
        Part("V1", "LeftSide", "Left Side", INCH_MATERIAL, 30.0, 21.0, bands=("WHITE PVC", "", "", ""), build=Side),
        Part("V1", "RightSide", "Right Side", INCH_MATERIAL, 30.0, 21.0, bands=("WHITE PVC", "", "", ""),
             outline="lines", build=Side),
        Part("V1", "Bottom", "Bottom", INCH_MATERIAL, 28.5, 20.25, bands=("WHITE PVC", "", "", "")),
        Part("V1", "Stretcher", "Stretcher", INCH_MATERIAL, 28.5, 4.0, qty=2, outline="lines", flag="OS"),
        Part("V1", "Shelf", "Shelf", INCH_MATERIAL, 28.375, 18.5, bands=("WHITE PVC", "", "", ""),
             outline="lwpolyline"),
    ]


# ---------------------------------------------------------------------------------------
# Writing the part drawings


def PartDrawing(p, job, room, thickness_code, file_name, text_height):
    d = Drawing()
    d.comments = [
        ("Tavolin", f"{job} {p.cabinet} {p.description}"),
        ("Quantity", str(p.qty)),
        ("Job", job),
        ("Room", room),
        ("Cabinet", p.cabinet),
        ("Description", p.description),
        ("Material", p.material),
        ("EB L1", p.bands[0]),
        ("EB L2", p.bands[1]),
        ("EB W1", p.bands[2]),
        ("EB W2", p.bands[3]),
        ("Rotatable", "Rotatable" if p.rotatable else "Fixed"),
        ("FileName", file_name),
    ]
    d.border = d.Layer(BorderLayer(thickness_code, p.flag), BORDER_COLOUR)
    if callable(p.outline):
        p.outline(d, p)
    else:
        RectOutline(d, d.border, p.length, p.width, p.outline)
    if p.build:
        p.build(d, p)
    d.Text(d.Layer("NAME", NAME_COLOUR), p.length / 2.0, p.width / 2.0, text_height,
           f"{p.cabinet} {p.description}")
    return d


def JobDrawings():
    """Relative path -> file text of every part drawing of both jobs."""
    files = {}
    for index, p in enumerate(KitchenJob(), start=1):
        file_name = f"{JOB}-{p.cabinet}-{index:02d}.DXF"
        d = PartDrawing(p, JOB, ROOM, DepthCode(THICKNESS[p.material]), file_name, 20.0)
        # the kitchen job comes from a Windows CAD program: CR LF line ends
        files[f"Parts/{p.cabinet}_{p.stem}.dxf"] = d.Render("\r\n")
    for index, p in enumerate(VanityJob(), start=1):
        file_name = f"2418-{p.cabinet}-{index:02d}.DXF"
        d = PartDrawing(p, "2418", "Bath", DepthCode(0.75), file_name, 0.75)
        # the vanity job was saved on a machine that writes LF-only line ends
        files[f"InchJob/{p.cabinet}_{p.stem}.dxf"] = d.Render("\n")
    return files


# ---------------------------------------------------------------------------------------
# Stroke letters: cap height 10 drawing units, baseline at y = 0, left edge at x = 0, so a
# letter's extents give its advance; the composing procedure adds its own gap between letters.

LETTER_LAYER = "ROUTE8_Z1"
LETTER_DEPTH = 1.0

ROUND_O = [(1.5, 0), (0, 1.5), (0, 8.5), (1.5, 10), (4.5, 10), (6, 8.5), (6, 1.5), (4.5, 0), (1.5, 0)]

GLYPHS = {
    "A": [[(0, 0), (3, 10), (6, 0)], [(1.2, 4), (4.8, 4)]],
    "B": [[(0, 0), (0, 10), (4.5, 10), (6, 8.75), (6, 6.25), (4.5, 5), (0, 5)],
          [(4.5, 5), (6, 3.75), (6, 1.25), (4.5, 0), (0, 0)]],
    "C": [[(6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5)]],
    "D": [[(0, 0), (0, 10), (4, 10), (6, 8), (6, 2), (4, 0), (0, 0)]],
    "E": [[(6, 10), (0, 10), (0, 0), (6, 0)], [(0, 5), (4.5, 5)]],
    "F": [[(6, 10), (0, 10), (0, 0)], [(0, 5), (4.5, 5)]],
    "G": [[(6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 4.5),
           (3.5, 4.5)]],
    "H": [[(0, 0), (0, 10)], [(6, 0), (6, 10)], [(0, 5), (6, 5)]],
    "I": [[(0, 10), (4, 10)], [(2, 10), (2, 0)], [(0, 0), (4, 0)]],
    "J": [[(6, 10), (6, 1.5), (4.5, 0), (1.5, 0), (0, 1.5), (0, 3)]],
    "K": [[(0, 0), (0, 10)], [(6, 10), (0, 4)], [(2, 6), (6, 0)]],
    "L": [[(0, 10), (0, 0), (6, 0)]],
    "M": [[(0, 0), (0, 10), (4, 4), (8, 10), (8, 0)]],
    "N": [[(0, 0), (0, 10), (6, 0), (6, 10)]],
    "O": [ROUND_O],
    "P": [[(0, 0), (0, 10), (4.5, 10), (6, 8.5), (6, 6.5), (4.5, 5), (0, 5)]],
    "Q": [ROUND_O, [(3.5, 2.5), (6, 0)]],
    "R": [[(0, 0), (0, 10), (4.5, 10), (6, 8.5), (6, 6.5), (4.5, 5), (0, 5)], [(3, 5), (6, 0)]],
    "S": [[(6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 6.5), (1.5, 5), (4.5, 5), (6, 3.5), (6, 1.5),
           (4.5, 0), (1.5, 0), (0, 1.5)]],
    "T": [[(0, 10), (6, 10)], [(3, 10), (3, 0)]],
    "U": [[(0, 10), (0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 10)]],
    "V": [[(0, 10), (3, 0), (6, 10)]],
    "W": [[(0, 10), (2, 0), (4, 6), (6, 0), (8, 10)]],
    "X": [[(0, 0), (6, 10)], [(0, 10), (6, 0)]],
    "Y": [[(0, 10), (3, 5), (6, 10)], [(3, 5), (3, 0)]],
    "Z": [[(0, 10), (6, 10), (0, 0), (6, 0)]],
    "0": [[(1.25, 0), (0, 1.5), (0, 8.5), (1.25, 10), (3.75, 10), (5, 8.5), (5, 1.5), (3.75, 0), (1.25, 0)],
          [(0, 1.5), (5, 8.5)]],
    "1": [[(0.5, 8), (2.5, 10), (2.5, 0)], [(0, 0), (5, 0)]],
    "2": [[(0, 8.5), (1.5, 10), (4.5, 10), (6, 8.5), (6, 6.5), (0, 0), (6, 0)]],
    "3": [[(0, 8.5), (1.5, 10), (4.5, 10), (6, 8.5), (6, 6.5), (4.5, 5), (2, 5)],
          [(4.5, 5), (6, 3.5), (6, 1.5), (4.5, 0), (1.5, 0), (0, 1.5)]],
    "4": [[(4.5, 0), (4.5, 10), (0, 3), (6, 3)]],
    "5": [[(6, 10), (0, 10), (0, 5.5), (4.5, 5.5), (6, 4), (6, 1.5), (4.5, 0), (1.5, 0), (0, 1.5)]],
    "6": [[(6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 4),
           (4.5, 5.5), (1.5, 5.5), (0, 4)]],
    "7": [[(0, 10), (6, 10), (2, 0)]],
    "8": [[(1.5, 5), (0, 6.5), (0, 8.5), (1.5, 10), (4.5, 10), (6, 8.5), (6, 6.5), (4.5, 5), (1.5, 5),
           (0, 3.5), (0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 3.5), (4.5, 5)]],
    "9": [[(0, 1.5), (1.5, 0), (4.5, 0), (6, 1.5), (6, 8.5), (4.5, 10), (1.5, 10), (0, 8.5), (0, 6),
           (1.5, 4.5), (4.5, 4.5), (6, 6)]],
    "-": [[(0, 5), (4, 5)]],
    "Comma": [[(1, 1.5), (1, 0), (0, -2)]],
}


def LetterDrawings():
    files = {}
    for name, strokes in GLYPHS.items():
        d = Drawing()
        layer = d.Layer(LETTER_LAYER, ROUTE_COLOUR)
        for stroke in strokes:
            for a, b in zip(stroke, stroke[1:]):
                d.Line(layer, float(a[0]), float(a[1]), float(b[0]), float(b[1]), LETTER_DEPTH)
        files[f"Letters/{name}.dxf"] = d.Render("\r\n")
    return files


# ---------------------------------------------------------------------------------------


def Verify(paths):
    """Every file must load in an independent reader and pass its audit without errors."""
    import ezdxf
    from ezdxf import recover

    failures = 0
    for path in paths:
        doc, auditor = recover.readfile(path)
        audit = doc.audit()
        if auditor.has_errors or audit.has_errors:
            failures += 1
            print(f"{path}: reader errors {len(auditor.errors)}, audit errors {len(audit.errors)}",
                  file=sys.stderr)
            for entry in list(auditor.errors) + list(audit.errors):
                print(f"  {entry.message}", file=sys.stderr)
        if not any(True for _ in doc.modelspace()):
            failures += 1
            print(f"{path}: no entities", file=sys.stderr)
    print(f"checked {len(paths)} drawings with ezdxf {ezdxf.__version__}: {failures} failed")
    return failures == 0


def Write(out, files):
    for relative, text in files.items():
        path = os.path.join(out, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="ascii", newline="") as f:
            f.write(text)


def Check(out, files):
    """True when every drawing in the folder is exactly what this generator writes."""
    stale = []
    for relative, text in files.items():
        try:
            with open(os.path.join(out, relative), "rb") as f:
                same = f.read() == text.encode("ascii")
        except OSError:
            same = False
        if not same:
            stale.append(relative)
    for relative in stale:
        print(f"{relative}: differs from the generator's output", file=sys.stderr)
    return not stale


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "..", "samples")))
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail when the folder's drawings differ from the generator's")
    parser.add_argument("--verify", action="store_true", help="check every drawing with ezdxf")
    parser.add_argument("--verify-only", action="store_true", help="write nothing, only check with ezdxf")
    args = parser.parse_args()
    files = {**JobDrawings(), **LetterDrawings()}
    ok = True
    if args.check:
        ok = Check(args.out, files)
    elif not args.verify_only:
        Write(args.out, files)
        print(f"wrote {len(files)} drawings to {args.out}")
    if args.verify or args.verify_only:
        ok = Verify([os.path.join(args.out, relative) for relative in files]) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
