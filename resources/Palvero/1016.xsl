<?xml version="1.0" encoding="UTF-8"?>
<!--
  Report.xsl: shows Report.xml as a page. Labels come from language.xsl
  (beside the report) by element name; an element without a label there is
  shown by its own name.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:lang="urn:varnis-tarvel:report-language"
    exclude-result-prefixes="lang">

  <xsl:output method="html" encoding="UTF-8" indent="yes"
      doctype-public="-//W3C//DTD HTML 4.01//EN"
      doctype-system="http://www.w3.org/TR/html4/strict.dtd"/>

  <xsl:variable name="labels" select="document('language.xsl')/*/lang:texts/lang:text"/>

  <xsl:template name="label">
    <xsl:param name="id" select="name()"/>
    <xsl:variable name="text" select="$labels[@id = $id]"/>
    <xsl:choose>
      <xsl:when test="$text"><xsl:value-of select="$text"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$id"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template match="/">
    <html>
      <head>
        <meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/>
        <title><xsl:value-of select="XML/HEADER/TITLE"/></title>
        <link rel="stylesheet" type="text/css" href="Report.css"/>
      </head>
      <body>
        <h1><xsl:value-of select="XML/BODY/H1"/></h1>
        <p class="generated"><xsl:value-of select="XML/HEADER/TITLE"/></p>
        <xsl:apply-templates select="XML/BODY/HR/*"/>
      </body>
    </html>
  </xsl:template>

  <!-- A section heading and, in a table, every plain value of the section. -->
  <xsl:template name="section-heading">
    <h2><xsl:call-template name="label"/></h2>
  </xsl:template>

  <xsl:template match="*" mode="row">
    <tr>
      <th><xsl:call-template name="label"/></th>
      <td class="{name()}"><xsl:value-of select="."/></td>
    </tr>
  </xsl:template>

  <xsl:template match="*" mode="block">
    <table class="block" id="{concat(name(), '-', count(preceding::*[name() = name(current())]) + 1)}">
      <caption><xsl:call-template name="label"/></caption>
      <xsl:apply-templates select="*" mode="row"/>
    </table>
  </xsl:template>

  <xsl:template match="SensorConfiguration | Statistics">
    <div class="section" id="{name()}">
      <xsl:call-template name="section-heading"/>
      <table class="values"><xsl:apply-templates select="*" mode="row"/></table>
    </div>
  </xsl:template>

  <xsl:template match="ActiveGroup">
    <div class="section" id="ActiveGroup">
      <xsl:call-template name="section-heading"/>
      <table class="values">
        <tr>
          <th><xsl:call-template name="label"><xsl:with-param name="id" select="'Members'"/></xsl:call-template></th>
          <td>
            <ul class="Members">
              <xsl:for-each select="Config/Members/Member">
                <li class="Member"><xsl:value-of select="Name"/></li>
              </xsl:for-each>
            </ul>
          </td>
        </tr>
        <xsl:apply-templates select="Config/TriggerMaster | ActiveConfiguration" mode="row"/>
      </table>
    </div>
  </xsl:template>

  <xsl:template match="AllResults">
    <div class="section" id="AllResults">
      <xsl:call-template name="section-heading"/>
      <xsl:apply-templates select="SingleResult"/>
    </div>
  </xsl:template>

  <xsl:template match="SingleResult">
    <div class="result" id="{concat('Result-', ResultIndex)}">
      <h3>
        <xsl:call-template name="label"><xsl:with-param name="id" select="'SingleResult'"/></xsl:call-template>
        <xsl:text> </xsl:text>
        <xsl:value-of select="ResultIndex"/>
      </h3>
      <table class="layout">
        <tr>
          <td class="picture">
            <img src="{ImagePath}" alt="{ImagePath}" width="384" height="288"/>
          </td>
          <td>
            <table class="values">
              <xsl:apply-templates select="OverallResult | Group | Config | CodeDefinitionBasic/* | CodesAndResults/TotalTime" mode="row"/>
            </table>
          </td>
        </tr>
      </table>
      <xsl:for-each select="CodesAndResults/CodeContents">
        <div class="code">
          <table class="values">
            <xsl:apply-templates select=". | following-sibling::Result[1]" mode="row"/>
          </table>
          <xsl:apply-templates select="following-sibling::QualityParameters[1] | following-sibling::CodeDefinitionOptimised[1] | following-sibling::QualityParams[1]" mode="block"/>
        </div>
      </xsl:for-each>
    </div>
  </xsl:template>

  <xsl:template match="Configuration">
    <div class="section" id="Configuration">
      <xsl:call-template name="section-heading"/>
      <table class="values"><xsl:apply-templates select="Group | TriggerMaster | Configname" mode="row"/></table>
      <xsl:apply-templates select="*[*]" mode="block"/>
    </div>
  </xsl:template>

  <xsl:template match="AllConfigurations">
    <div class="section" id="AllConfigurations">
      <xsl:call-template name="section-heading"/>
      <xsl:for-each select="SingleConfig">
        <div class="config">
          <h3><xsl:value-of select="ConfigDetails/Configname"/></h3>
          <xsl:apply-templates select="*" mode="block"/>
        </div>
      </xsl:for-each>
    </div>
  </xsl:template>

  <!-- Anything a newer sensor adds is still shown. -->
  <xsl:template match="*">
    <div class="section" id="{name()}">
      <xsl:call-template name="section-heading"/>
      <table class="values"><xsl:apply-templates select="*[not(*)]" mode="row"/></table>
      <xsl:apply-templates select="*[*]" mode="block"/>
    </div>
  </xsl:template>

</xsl:stylesheet>
