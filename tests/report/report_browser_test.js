// A report page in headless Chromium: sorting by a heading and back, a dot
// lit up by its row, nothing fetched, no console error, and texts from the
// GPX file that try to run script running nothing.
//   node report_browser_test.js REPORT.html [SCREENSHOT.png]
// Exits 77 (skipped) when Chromium or puppeteer-core is missing.
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');

const chromium = process.env.VELMORA_CHROMIUM || '/usr/bin/chromium';
let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (error) {
  console.log('SKIPPED: no puppeteer-core (npm ci at the repository root)');
  process.exit(77);
}
if (!fs.existsSync(chromium)) {
  console.log(`SKIPPED: no Chromium at ${chromium}`);
  process.exit(77);
}

const failures = [];
function check(condition, what) {
  if (!condition) failures.push(what);
}

// The PIDs of the table's rows, and the column's texts, in the order shown.
function column(page, index) {
  return page.$$eval('#marks tbody tr', (rows, i) =>
    rows.map((row) => [row.cells[0].textContent, row.cells[i].textContent]), index);
}

async function sortedBy(page, heading, index, numeric) {
  await page.click(`#marks thead th:nth-child(${index + 1}) button`);
  const shown = await column(page, index);
  const values = shown.map(([, value]) => value).filter((value) => value !== '');
  const keys = numeric ? values.map(Number) : values;
  const sort = await page.$eval(`#marks thead th:nth-child(${index + 1})`,
    (th) => th.getAttribute('aria-sort'));
  return { shown, keys, sort, emptiesLast: shown.findIndex(([, v]) => v === '') === -1 ||
    shown.slice(shown.findIndex(([, v]) => v === '')).every(([, v]) => v === '') };
}

async function main() {
  const [report, screenshot] = process.argv.slice(2);
  const url = pathToFileURL(path.resolve(report)).href;
  const browser = await puppeteer.launch({
    executablePath: chromium, headless: true, args: ['--no-sandbox', '--disable-gpu'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1100, height: 1000 });
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (request.url() === url) return request.continue();
      failures.push(`asked for ${request.url()}`);
      return request.abort();
    });
    page.on('console', (message) => {
      if (message.type() === 'error') failures.push(`console error: ${message.text()}`);
    });
    page.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
    page.on('dialog', (dialog) => { failures.push('a dialog opened'); dialog.dismiss(); });
    await page.goto(url, { waitUntil: 'load' });

    const fileOrder = (await column(page, 0)).map(([pid]) => pid);
    check(fileOrder.join() === 'KK1001,KK1002,KK1003,KK1004,KK1005', `file order ${fileOrder}`);
    check(await page.$$eval('#marks thead th button', (b) => b.length) === 10, 'heading buttons');

    const up = await sortedBy(page, 'Years since', 3, true);
    check(up.sort === 'ascending', `aria-sort ${up.sort}`);
    check(up.keys.join() === '1,10,14,22', `years ascending: ${up.keys}`);
    check(up.emptiesLast && up.shown[4][0] === 'KK1003', 'never found last, ascending');
    const down = await sortedBy(page, 'Years since', 3, true);
    check(down.sort === 'descending' && down.keys.join() === '22,14,10,1',
      `years descending: ${down.keys} ${down.sort}`);
    check(down.emptiesLast, 'never found last, descending');
    const names = await sortedBy(page, 'Designation', 1, false);
    check(names.keys.join() === 'ALPHA,BRAVO,CHARLIE,DELTA,RESERVOIR <b>RM</b>',
      `designations: ${names.keys}`);
    const after = await page.$eval('#marks thead th:nth-child(4)', (th) => th.getAttribute('aria-sort'));
    check(after === 'none', 'the other heading lets go of its sort');

    // Keyboard: a heading's button takes Enter.
    await page.focus('#marks thead th:nth-child(8) button');
    await page.keyboard.press('Enter');
    const logs = await column(page, 7);
    check(logs.map(([, n]) => n).join() === '0,1,1,1,2', `logs by keyboard: ${logs}`);

    // A row under the pointer lights up its dot.
    await page.hover('#marks tbody tr[data-i="3"] td:nth-child(2)');
    check(await page.$eval('#d3', (g) => g.classList.contains('hl')), 'hover lights the dot');
    check(await page.$eval('#d3', (g) => g.querySelector('.ring') !== null), 'ring on a miss');

    const hostile = await page.evaluate(() => ({
      pwned: window.pwned,
      images: document.images.length,
      scripts: document.scripts.length,
      text: document.querySelector('#marks tbody tr[data-i="0"] td.t').textContent,
      pidLink: document.querySelector('#marks tbody tr[data-i="0"] td a'),
      title: document.querySelector('.sub').textContent,
    }));
    check(hostile.pwned === undefined, `window.pwned is ${hostile.pwned}`);
    check(hostile.images === 0 && hostile.scripts === 1, 'no image or script from the file');
    check(hostile.text.startsWith('<script>window.pwned = 1</script><img src=x onerror='),
      `log text shown as text: ${hostile.text}`);
    check(hostile.text.endsWith('"> &amp; more'), `entities decoded once: ${hostile.text}`);
    check(hostile.pidLink === null, 'a javascript: link is no link');
    check(hostile.title.includes('<script>window.pwned = 4</script>'), 'title as text');

    await page.emulateMediaType('print');
    const printed = await page.evaluate(() => ({
      plot: getComputedStyle(document.querySelector('svg.plot')).display,
      arrow: getComputedStyle(document.querySelector('th button'), '::after').content,
    }));
    check(printed.plot !== 'none' && printed.arrow === 'none', `print: ${JSON.stringify(printed)}`);
    await page.emulateMediaType('screen');
    if (screenshot) await page.screenshot({ path: screenshot, fullPage: true });
  } finally {
    await browser.close();
  }
  if (failures.length) {
    console.error(`FAILED:\n  ${failures.join('\n  ')}`);
    process.exit(1);
  }
  console.log('report page: sorted, lit, fetched nothing, ran nothing from the file');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
