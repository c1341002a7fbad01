#include "report/report_assets.h"

namespace velmora {

const std::string_view kReportStyle = R"css(
:root { color-scheme: light; --ink: #1d2430; --muted: #5b6472; --rule: #d5d9e0; }
* { box-sizing: border-box; }
body { font: 14px/1.45 system-ui, -apple-system, "Segoe UI", "DejaVu Sans", sans-serif;
  color: var(--ink); margin: 0 auto; max-width: 1200px; padding: 20px 24px 40px; }
h1 { font-size: 22px; margin: 0 0 2px; }
.sub { color: var(--muted); margin: 0 0 10px; }
.counts { display: flex; flex-wrap: wrap; gap: 8px 22px; margin: 0 0 14px; padding: 0;
  list-style: none; }
.counts b { font-size: 18px; margin-right: 4px; }
figure { margin: 0 0 18px; border: 1px solid var(--rule); border-radius: 6px; padding: 8px; }
svg.plot { display: block; width: 100%; height: auto; }
.plot .land { fill: #f7f8fa; }
.plot circle.dot { stroke: #222; stroke-width: 0.8; }
.plot .ring { fill: none; stroke: #c0392b; stroke-width: 2; }
.plot g.hl circle.dot { stroke: #e4572e; stroke-width: 3; }
.plot g.hl .halo { display: inline; }
.plot .halo { display: none; fill: none; stroke: #e4572e; stroke-width: 2.5; }
.plot .bar { stroke: var(--ink); stroke-width: 2; fill: none; }
.plot text { font-size: 12px; fill: var(--ink); }
figcaption { display: flex; flex-wrap: wrap; gap: 4px 16px; font-size: 13px; color: var(--muted);
  padding: 6px 4px 0; }
figcaption span { white-space: nowrap; }
figcaption svg { vertical-align: -3px; margin-right: 4px; }
/* Rows laid out as grids of fixed columns, each row skipped by layout while
   off screen: a sort of thousands of rows lays out only those in view. */
#marks { display: block; width: 100%; font-size: 13px; }
#marks thead, #marks tbody { display: block; }
#marks thead { position: sticky; top: 0; z-index: 1; background: #eef1f5; }
#marks tr { display: grid; grid-template-columns: 6em minmax(8em, 1.2fr) 8em 8.6em 8.2em 7em
  minmax(10em, 2fr) 4.6em 6.6em 6em; border-bottom: 1px solid var(--rule); }
#marks tbody tr { content-visibility: auto; contain-intrinsic-size: auto 27px; }
th, td { display: block; text-align: left; padding: 4px 6px; overflow-wrap: anywhere; }
th { white-space: nowrap; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
td.t { color: var(--muted); white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
tbody tr:hover, tbody tr:focus-within, tbody tr:focus { background: #fff3cd; outline: none; }
th button { font: inherit; font-weight: bold; color: inherit; background: none; border: 0;
  padding: 0; cursor: pointer; }
th button::after { content: " \2195"; color: #99a; font-weight: normal; }
th[aria-sort=ascending] button::after { content: " \25B2"; color: var(--ink); }
th[aria-sort=descending] button::after { content: " \25BC"; color: var(--ink); }
th button:focus-visible { outline: 2px solid #1f6feb; outline-offset: 2px; }
.dnf { color: #c0392b; font-weight: bold; }
.empty { font-size: 16px; padding: 24px; border: 1px dashed var(--rule); }
@media print {
  body { max-width: none; padding: 0; font-size: 11px; }
  figure { break-inside: avoid; border: 0; }
  #marks thead { position: static; }
  #marks tbody tr { content-visibility: visible; }
  th button { pointer-events: none; }
  th button::after { content: none; }
  tr { break-inside: avoid; }
  td.t { white-space: normal; }
  * { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)css";

const std::string_view kReportScript = R"js(
(function () {
  'use strict';
  var table = document.getElementById('marks');
  if (!table) return;
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var heads = Array.prototype.slice.call(table.tHead.rows[0].cells);
  var keys = [];
  var current = -1, direction = 1;

  // The sort keys of a column, made once: numbers, or the rank of each text
  // among the column's texts; null for an empty cell.
  function keysOf(column) {
    if (keys[column]) return keys[column];
    var numeric = heads[column].getAttribute('data-type') === 'num';
    var values = rows.map(function (row) {
      var cell = row.cells[column];
      var text = cell.hasAttribute('data-v') ? cell.getAttribute('data-v') : cell.textContent;
      if (text === '') return null;
      return numeric ? parseFloat(text) : text;
    });
    if (!numeric) {
      var order = values.map(function (v, i) { return i; }).filter(function (i) {
        return values[i] !== null;
      });
      var collator = new Intl.Collator(undefined, { numeric: true, sensitivity: 'base' });
      order.sort(function (a, b) { return collator.compare(values[a], values[b]); });
      var rank = new Array(values.length).fill(null);
      order.forEach(function (row, place) {
        rank[row] = place > 0 && collator.compare(values[order[place - 1]], values[row]) === 0
            ? rank[order[place - 1]] : place;
      });
      values = rank;
    }
    keys[column] = values;
    return values;
  }

  function sortBy(column) {
    direction = column === current ? -direction : 1;
    current = column;
    var k = keysOf(column), d = direction;
    var index = rows.map(function (row, i) { return i; });
    index.sort(function (a, b) {
      var x = k[a], y = k[b];
      if (x === null || y === null) return x === y ? a - b : (x === null ? 1 : -1);
      return x < y ? -d : x > y ? d : a - b;
    });
    // One fragment, not one argument per row: a file may hold many thousands.
    var fragment = document.createDocumentFragment();
    index.forEach(function (i) { fragment.appendChild(rows[i]); });
    body.appendChild(fragment);
    heads.forEach(function (head, i) {
      head.setAttribute('aria-sort',
          i !== column ? 'none' : direction > 0 ? 'ascending' : 'descending');
    });
  }

  heads.forEach(function (head, column) {
    var button = document.createElement('button');
    button.type = 'button';
    while (head.firstChild) button.appendChild(head.firstChild);
    head.appendChild(button);
    head.setAttribute('aria-sort', 'none');
    button.addEventListener('click', function () { sortBy(column); });
  });

  function dotOf(event) {
    var row = event.target.closest ? event.target.closest('tr') : null;
    return row && row.hasAttribute('data-i')
        ? document.getElementById('d' + row.getAttribute('data-i')) : null;
  }
  function light(on) {
    return function (event) {
      var dot = dotOf(event);
      if (!dot) return;
      dot.classList.toggle('hl', on);
      if (on) dot.parentNode.appendChild(dot);
    };
  }
  body.addEventListener('mouseover', light(true));
  body.addEventListener('mouseout', light(false));
  body.addEventListener('focusin', light(true));
  body.addEventListener('focusout', light(false));
})();
)js";

}  // namespace velmora
